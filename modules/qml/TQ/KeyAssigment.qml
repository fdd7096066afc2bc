import QtQuick
import QX7

DialogFrame {
    id: dialog
    title: ""
    width: 620
    height: 440

    // Closes the dialog's own drop-downs.
    function keyAssigmentFocus() {
    }
}
