import QtQuick
import QX7

// A square mark with a label; a click toggles it.
Item {
    id: check

    property string textValue: ""
    property bool isSelect: false
    property int index: 0
    property int gapValue: 8
    property color bgColor: Theme.colorGray0
    property color borderColor: Theme.colorGray2

    signal btnClick(int index)

    implicitWidth: box.width + gapValue + label.implicitWidth
    implicitHeight: Math.max(box.height, label.implicitHeight)

    Rectangle {
        id: box
        anchors.verticalCenter: parent.verticalCenter
        width: 14
        height: 14
        radius: 2
        color: check.isSelect ? Theme.colorOrange : check.bgColor
        border.width: 1
        border.color: check.isSelect || area.containsMouse ? Theme.colorOrange : check.borderColor

        Behavior on color {
            ColorAnimation { duration: 120 }
        }

        // The tick: a short and a long bar.
        Item {
            anchors.fill: parent
            visible: check.isSelect

            Rectangle {
                x: 2.2
                y: 7.2
                width: 4.6
                height: 1.8
                radius: 0.9
                antialiasing: true
                rotation: 45
                color: Theme.textColor
            }
            Rectangle {
                x: 4.2
                y: 5.8
                width: 8.2
                height: 1.8
                radius: 0.9
                antialiasing: true
                rotation: -50
                color: Theme.textColor
            }
        }
    }

    Text {
        id: label
        x: box.width + check.gapValue
        anchors.verticalCenter: parent.verticalCenter
        text: check.textValue
        color: check.isSelect || area.containsMouse ? Theme.textColor : Theme.colorGray3
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: {
            check.isSelect = !check.isSelect
            check.btnClick(check.index)
        }
    }
}
