import QtQuick
import QX7

Item {
    id: lightControl

    // Closes the mode list.
    function lightControlFocus() {
    }
}
