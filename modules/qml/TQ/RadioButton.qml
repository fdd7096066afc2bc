import QtQuick
import QX7

// A round mark with a label. A click selects it; the owner clears the others of its group.
Item {
    id: radio

    property string textValue: ""
    property bool isSelect: false
    property int index: 0
    property int gapValue: 16

    signal btnClick(int index)

    implicitWidth: mark.width + gapValue + label.implicitWidth
    implicitHeight: Math.max(mark.height, label.implicitHeight)

    Rectangle {
        id: mark
        anchors.verticalCenter: parent.verticalCenter
        width: 14
        height: 14
        radius: 7
        color: Theme.colorGray0
        border.width: 1
        border.color: radio.isSelect || area.containsMouse ? Theme.colorOrange : Theme.colorGray2

        Behavior on border.color {
            ColorAnimation { duration: 120 }
        }

        Rectangle {
            anchors.centerIn: parent
            width: 8
            height: 8
            radius: 4
            color: Theme.colorOrange
            scale: radio.isSelect ? 1 : 0

            Behavior on scale {
                NumberAnimation { duration: 120; easing.type: Easing.OutBack }
            }
        }
    }

    Text {
        id: label
        x: mark.width + radio.gapValue
        anchors.verticalCenter: parent.verticalCenter
        text: radio.textValue
        color: radio.isSelect || area.containsMouse ? Theme.textColor : Theme.colorGray3
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: {
            radio.isSelect = true
            radio.btnClick(radio.index)
        }
    }
}
