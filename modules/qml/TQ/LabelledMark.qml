import QtQuick
import QX7

// A 14 x 14 mark with its label after it, both taking the click: what check boxes and radio
// buttons share. The mark is the content.
Item {
    id: choice

    property string textValue: ""
    property bool isSelect: false
    property int index: 0
    property int gapValue: 8
    // A click on a selected mark clears it, rather than leaving it selected.
    property bool toggles: true
    readonly property bool hovered: area.containsMouse
    default property alias mark: slot.data

    signal btnClick(int index)

    implicitWidth: slot.width + gapValue + label.implicitWidth
    implicitHeight: Math.max(slot.height, label.implicitHeight)

    Item {
        id: slot
        anchors.verticalCenter: parent.verticalCenter
        width: 14
        height: 14
    }

    Text {
        id: label
        x: slot.width + choice.gapValue
        anchors.verticalCenter: parent.verticalCenter
        text: choice.textValue
        color: choice.isSelect || area.containsMouse ? Theme.textColor : Theme.colorGray3
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: {
            choice.isSelect = choice.toggles ? !choice.isSelect : true
            choice.btnClick(choice.index)
        }
    }
}
