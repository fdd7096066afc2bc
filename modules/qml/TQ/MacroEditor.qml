import QtQuick
import QX7

DialogFrame {
    id: dialog
    title: MacroEditorScreen.macroEditorLang[0]
    width: 680
    height: 480

    // Closes the dialog's own drop-downs.
    function macroEditorFocus() {
    }
}
