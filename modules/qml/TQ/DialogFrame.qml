import QtQuick
import QX7

// A dialog over the mask: a title bar that drags it (kept inside the scene), a close button, and
// the dialog's own content below the title.
Rectangle {
    id: dialog
    property string title: ""
    property bool draggable: true
    default property alias content: body.data
    signal closeClicked()

    visible: false
    radius: 8
    color: Theme.dialogColor
    border.color: Theme.colorGray1
    z: 50

    // Centred in the scene each time it opens.
    function open() {
        x = Math.round((Theme.sceneWidth - width) / 2)
        y = Math.round((Theme.sceneHeight - height) / 2)
        visible = true
    }

    function moveBy(dx, dy) {
        x = Math.max(0, Math.min(Theme.sceneWidth - width, x + dx))
        y = Math.max(0, Math.min(Theme.sceneHeight - height, y + dy))
    }

    // Clicks inside the dialog stay in it.
    MouseArea {
        anchors.fill: parent
    }

    Rectangle {
        id: titleBar
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        height: 40
        radius: dialog.radius
        color: Theme.fieldColor

        Rectangle {
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            height: 2
            color: Theme.colorOrange
        }

        MouseArea {
            id: dragArea
            anchors.fill: parent
            enabled: dialog.draggable
            property point pressPoint
            onPressed: function(mouse) { pressPoint = Qt.point(mouse.x, mouse.y) }
            onPositionChanged: function(mouse) {
                if (pressed)
                    dialog.moveBy(mouse.x - pressPoint.x, mouse.y - pressPoint.y)
            }
        }

        Text {
            anchors.left: parent.left
            anchors.leftMargin: 16
            anchors.verticalCenter: parent.verticalCenter
            text: dialog.title
            color: Theme.textColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontMiddleSize
            font.bold: true
        }

        Image {
            objectName: "dialogClose"
            anchors.right: parent.right
            anchors.rightMargin: 10
            anchors.verticalCenter: parent.verticalCenter
            source: Theme.imagePath("index", closeHover.containsMouse ? "close_hover.png" : "close.png")

            MouseArea {
                id: closeHover
                anchors.fill: parent
                hoverEnabled: true
                cursorShape: Qt.PointingHandCursor
                onClicked: dialog.closeClicked()
            }
        }
    }

    Item {
        id: body
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: titleBar.bottom
        anchors.bottom: parent.bottom
        anchors.margins: 16
    }
}
