import QtQuick
import QX7

DialogFrame {
    id: dialog
    title: SystemSettingScreen.systemSettingLang[0]
    width: 460
    height: 330

    // Closes the dialog's own drop-downs.
    function systemSettingFocus() {
    }
}
