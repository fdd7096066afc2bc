import QtQuick
import QX7

// A titled area of the main scene.
Rectangle {
    id: panel
    property string title: ""
    default property alias content: body.data
    property alias titleRow: titleRow

    radius: 6
    color: Theme.panelColor
    border.color: Theme.colorGray1

    Row {
        id: titleRow
        anchors.left: parent.left
        anchors.top: parent.top
        anchors.leftMargin: 12
        anchors.topMargin: 10
        spacing: 8
        visible: panel.title !== ""

        Rectangle {
            width: 3
            height: 14
            anchors.verticalCenter: parent.verticalCenter
            color: Theme.colorOrange
        }
        Text {
            text: panel.title
            color: Theme.colorGray3
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            font.bold: true
        }
    }

    Item {
        id: body
        anchors.fill: parent
        anchors.topMargin: panel.title !== "" ? 34 : 8
        anchors.leftMargin: 12
        anchors.rightMargin: 12
        anchors.bottomMargin: 8
    }
}
