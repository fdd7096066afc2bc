import QtQuick
import QX7

// The small "back to the defaults" button of a panel's title row.
Image {
    id: restore

    // How far beyond the picture it takes the mouse.
    property real reach: 0

    signal clicked()

    source: Theme.imagePath("index", area.containsMouse ? "restore_hover.png" : "restore.png")

    MouseArea {
        id: area
        anchors.fill: parent
        anchors.margins: -restore.reach
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: restore.clicked()
    }
}
