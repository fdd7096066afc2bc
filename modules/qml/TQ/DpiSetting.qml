import QtQuick
import QX7

Item {
    id: dpiSetting

    // Closes the stage-count list.
    function closeMenus() {
    }
}
