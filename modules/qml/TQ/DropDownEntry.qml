import QtQuick
import QX7

// One entry of a drop-down's popup: lit under the mouse, marked when it is the selected one.
Rectangle {
    id: entry

    property string text: ""
    property bool selected: false
    // An entry that is no choice keeps its place but takes no clicks.
    property bool choice: true
    property int textRightMargin: 6

    signal chosen()

    color: entryArea.containsMouse ? Theme.colorOrange : Theme.clear

    Rectangle {
        width: 2
        height: parent.height - 8
        anchors.verticalCenter: parent.verticalCenter
        anchors.left: parent.left
        anchors.leftMargin: 2
        color: Theme.colorOrange
        visible: entry.selected && !entryArea.containsMouse
    }

    Text {
        anchors.fill: parent
        anchors.leftMargin: 9
        anchors.rightMargin: entry.textRightMargin
        verticalAlignment: Text.AlignVCenter
        text: entry.text
        elide: Text.ElideRight
        color: entry.selected && !entryArea.containsMouse ? Theme.colorOrange : Theme.textColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }

    MouseArea {
        id: entryArea
        anchors.fill: parent
        hoverEnabled: entry.choice
        cursorShape: entry.choice ? Qt.PointingHandCursor : Qt.ArrowCursor
        onClicked: entry.chosen()
    }
}
