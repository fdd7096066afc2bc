import QtQuick
import QX7

// A push button with a label: drawn, or from the images imageBase + ".png", "_hover.png" and
// "_press.png" (6-pixel borders) when imageBase is set.
Item {
    id: button

    property string textValue: ""
    property string imageBase: ""
    // Draws attention to the button (Save with edits not on the mouse yet).
    property bool marked: false

    signal clicked()

    implicitWidth: 120
    implicitHeight: 32
    opacity: enabled ? 1.0 : 0.45

    BorderImage {
        anchors.fill: parent
        visible: button.imageBase !== ""
        source: button.imageBase === "" ? ""
                : button.imageBase + (area.pressed ? "_press" : area.containsMouse ? "_hover" : "") + ".png"
        border.left: 6
        border.right: 6
        border.top: 6
        border.bottom: 6
    }

    Rectangle {
        anchors.fill: parent
        visible: button.imageBase === ""
        radius: 4
        border.width: 1
        border.color: area.containsMouse || area.pressed || button.marked ? Theme.colorOrange : Theme.buttonBorder
        gradient: Gradient {
            GradientStop {
                position: 0.0
                color: area.pressed ? Theme.buttonPressedTop : area.containsMouse ? Theme.buttonHoverTop : Theme.buttonTop
            }
            GradientStop {
                position: 1.0
                color: area.pressed ? Theme.colorOrange : area.containsMouse ? Theme.buttonHoverBottom : Theme.buttonBottom
            }
        }

        // A faint top highlight.
        Rectangle {
            x: 4
            y: 1
            width: parent.width - 8
            height: 1
            color: Theme.textColor
            opacity: area.pressed ? 0.0 : 0.10
        }
    }

    Text {
        anchors.centerIn: parent
        width: parent.width - 12
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideRight
        text: button.textValue
        color: Theme.textColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }

    Rectangle {
        objectName: "mark"
        visible: button.marked
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.margins: 5
        width: 7
        height: 7
        radius: 3.5
        color: Theme.colorOrange
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: button.clicked()
    }
}
