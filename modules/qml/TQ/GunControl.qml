import QtQuick
import QX7

DialogFrame {
    id: dialog
    title: GunControlScreen.gunControlLang[0]
    width: 620
    height: 440

    // Closes the dialog's own drop-downs.
    function gunControlFocus() {
    }
}
