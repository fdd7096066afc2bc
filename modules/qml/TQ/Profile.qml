import QtQuick
import QX7

DialogFrame {
    id: dialog
    title: ProfileScreen.profileLang[0]
    width: 360
    height: 400

    // Closes the dialog's own drop-downs.
    function profileFocus() {
    }
}
