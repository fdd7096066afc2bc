import QtQuick
import QX7

// A name edited in place over the entry it names: Enter or leaving the field ends the edit
// (finished), Esc drops it (cancelled).
Rectangle {
    id: frame

    property alias text: input.text
    property alias inputName: input.objectName
    property alias maximumLength: input.maximumLength
    property alias horizontalAlignment: input.horizontalAlignment
    property alias fontSize: input.font.pixelSize
    property int leftMargin: 8
    property int rightMargin: 8

    signal finished()
    signal cancelled()

    // Shows `name` selected, ready to be typed over.
    function begin(name) {
        input.text = name
        input.forceActiveFocus()
        input.selectAll()
    }

    radius: 3
    color: Theme.colorGray1
    border.color: Theme.colorOrange

    TextInput {
        id: input
        anchors.fill: parent
        anchors.leftMargin: frame.leftMargin
        anchors.rightMargin: frame.rightMargin
        verticalAlignment: TextInput.AlignVCenter
        clip: true
        color: Theme.textColor
        selectionColor: Theme.colorOrange
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        onAccepted: frame.finished()
        onActiveFocusChanged: {
            if (!activeFocus)
                frame.finished()
        }
        Keys.onEscapePressed: frame.cancelled()
    }
}
