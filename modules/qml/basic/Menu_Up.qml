pragma ComponentBehavior: Bound

import QtQuick
import QX7

// The top menu: the profile drop-down, then help (2), minimise (0) and close (1), each image with
// its hover image.
Item {
    id: menuUp
    property alias profileBtn: profileList
    signal btnClicked(int btnIndex)

    width: 380
    height: 32

    DropDownList {
        id: profileList
        objectName: "profileList"
        anchors.left: parent.left
        anchors.verticalCenter: parent.verticalCenter
        width: 200
        height: 26
    }

    Row {
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        spacing: 10

        Repeater {
            // In the order shown: help, minimise, close.
            model: [{"name": "help", "index": 2}, {"name": "min", "index": 0}, {"name": "close", "index": 1}]

            Image {
                id: menuButton
                required property var modelData
                objectName: "menu_" + modelData.name
                source: Theme.imagePath("index", modelData.name + (hover.containsMouse ? "_hover.png" : ".png"))

                MouseArea {
                    id: hover
                    anchors.fill: parent
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onClicked: menuUp.btnClicked(menuButton.modelData.index)
                }
            }
        }
    }
}
