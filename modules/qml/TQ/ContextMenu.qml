pragma ComponentBehavior: Bound

import QtQuick
import QX7

// A menu that opens where the right button was pressed, kept inside its parent. A click on an
// entry closes it and tells which.
Rectangle {
    id: menu

    property var texts: []

    signal chosen(int index)

    function popup(px, py) {
        x = Math.max(0, Math.min(parent.width - width, px))
        y = Math.max(0, Math.min(parent.height - height, py))
        visible = true
    }

    function closeMenu() {
        visible = false
    }

    visible: false
    z: 300
    width: 168
    height: entries.height + 8
    radius: 4
    color: Theme.colorGray0
    border.width: 1
    border.color: Theme.colorGray1

    // A soft shadow below.
    Rectangle {
        z: -1
        x: 2
        y: 3
        width: parent.width
        height: parent.height
        radius: parent.radius
        color: Theme.shadowColor
        opacity: 0.35
    }

    Column {
        id: entries
        x: 4
        y: 4
        width: parent.width - 8

        Repeater {
            model: menu.texts

            Rectangle {
                id: entry
                required property int index
                required property string modelData
                width: entries.width
                height: 26
                radius: 3
                color: area.containsMouse ? Theme.colorOrange : Theme.clear

                Text {
                    anchors.fill: parent
                    anchors.leftMargin: 10
                    verticalAlignment: Text.AlignVCenter
                    text: entry.modelData
                    elide: Text.ElideRight
                    color: Theme.textColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }

                MouseArea {
                    id: area
                    anchors.fill: parent
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onClicked: {
                        menu.closeMenu()
                        menu.chosen(entry.index)
                    }
                }
            }
        }
    }
}
