import QtQuick
import QX7

// A number field: digits only, at most `maxLength` of them (as many as maxValue has unless set),
// never above maxValue while typing.
// When input ends (Enter or focus lost) an empty field or a value below minValue becomes minValue.
Rectangle {
    id: rectInput

    property int maxValue: 255
    property int minValue: 0
    property int maxLength: String(maxValue).length
    property string textValue: ""
    property alias txtInput: input

    signal inputSignal()
    signal endInputSignal()

    function closeFocus() {
        input.focus = false
    }

    function finishInput() {
        var value = input.text === "" ? minValue : Number(input.text)
        textValue = String(Math.max(minValue, Math.min(maxValue, value)))
        endInputSignal()
    }

    implicitWidth: 48
    implicitHeight: 24
    radius: 3
    color: Theme.colorGray0
    border.width: 1
    border.color: input.activeFocus ? Theme.colorOrange
                                    : area.containsMouse ? Qt.darker(Theme.colorOrange, 1.4) : Theme.colorGray1

    onTextValueChanged: {
        if (input.text !== textValue)
            input.text = textValue
    }
    Component.onCompleted: input.text = textValue

    Behavior on border.color {
        ColorAnimation { duration: 120 }
    }

    TextInput {
        id: input
        anchors.fill: parent
        anchors.leftMargin: 4
        anchors.rightMargin: 4
        horizontalAlignment: TextInput.AlignHCenter
        verticalAlignment: TextInput.AlignVCenter
        maximumLength: rectInput.maxLength
        validator: RegularExpressionValidator { regularExpression: /[0-9]*/ }
        inputMethodHints: Qt.ImhDigitsOnly
        clip: true
        color: Theme.textColor
        selectionColor: Theme.colorOrange
        selectedTextColor: Theme.textColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize

        onTextEdited: {
            if (text !== "" && Number(text) > rectInput.maxValue) {
                var cursor = cursorPosition - (text.length - rectInput.textValue.length)
                text = rectInput.textValue
                cursorPosition = Math.max(0, Math.min(cursor, text.length))
                return
            }
            rectInput.textValue = text
            rectInput.inputSignal()
        }
        onActiveFocusChanged: {
            if (activeFocus)
                selectAll()
            else
                rectInput.finishInput()
        }
        Keys.onReturnPressed: rectInput.closeFocus()
        Keys.onEnterPressed: rectInput.closeFocus()
    }

    // Above the text: a click takes the focus with the whole number selected, ready to be replaced.
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.IBeamCursor
        onPressed: {
            input.forceActiveFocus()
            input.selectAll()
        }
    }
}
