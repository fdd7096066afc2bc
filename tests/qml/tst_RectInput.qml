import QtQuick
import QtTest
import QX7

// The test case itself is invisible; the controls go on a visible item so that they take input.
Item {
    id: scene
    width: 200
    height: 100

    TestCase {
        name: "RectInput"
        when: windowShown

        Component {
            id: inputComponent
            RectInput {
                width: 60
                height: 24
            }
        }

        SignalSpy {
            id: endSpy
            signalName: "endInputSignal"
        }

        // clang-format off
        function test_typing_data() {
            return [
                { tag: "fifth digit refused",     min: 1, max: 65535, length: 4, keys: "12345", typed: "1234", ended: "1234" },
                { tag: "five digits above range", min: 1, max: 65535, length: 4, keys: "70000", typed: "7000", ended: "7000" },
                { tag: "digit above maximum",     min: 0, max: 255,   length: 4, keys: "256",   typed: "25",   ended: "25" },
                { tag: "letters refused",         min: 0, max: 255,   length: 4, keys: "4a-2",  typed: "42",   ended: "42" },
                { tag: "three characters",        min: 1, max: 100,   length: 3, keys: "1000",  typed: "100",  ended: "100" },
                { tag: "below minimum at end",    min: 1, max: 100,   length: 3, keys: "0",     typed: "0",    ended: "1" },
                { tag: "empty at end",            min: 1, max: 65535, length: 4, keys: "",      typed: "",     ended: "1" },
                { tag: "leading zeros dropped",   min: 0, max: 255,   length: 4, keys: "007",   typed: "007",  ended: "7" }
            ]
        }
        // clang-format on

        function test_typing(data) {
            var field = createTemporaryObject(inputComponent, scene,
                                              { minValue: data.min, maxValue: data.max, maxLength: data.length })
            endSpy.target = field
            endSpy.clear()
            mouseClick(field)
            verify(field.txtInput.activeFocus)
            for (var i = 0; i < data.keys.length; ++i)
                keyClick(data.keys[i])
            compare(field.textValue, data.typed)
            keyClick(Qt.Key_Return)
            compare(field.textValue, data.ended)
            compare(field.txtInput.text, data.ended)
            verify(!field.txtInput.activeFocus)
            compare(endSpy.count, 1)
        }

        function test_focusLossEndsInput() {
            var field = createTemporaryObject(inputComponent, scene, { textValue: "12" })
            endSpy.target = field
            endSpy.clear()
            mouseClick(field)
            tryCompare(field.txtInput, "selectedText", "12")
            keyClick("9")
            field.closeFocus()
            compare(endSpy.count, 1)
            compare(field.textValue, "9")
        }
    }
}
