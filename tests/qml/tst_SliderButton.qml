import QtQuick
import QtTest
import QX7

// The test case itself is invisible; the controls go on a visible item so that they take input.
Item {
    id: scene
    width: 400
    height: 100

    TestCase {
        name: "SliderButton"
        when: windowShown

        Component {
            id: sliderComponent
            SliderButton {
                x: 20
                y: 40
            }
        }

        SignalSpy {
            id: changeSpy
            signalName: "valueChange"
        }
        SignalSpy {
            id: delaySpy
            signalName: "valueChangeDelay"
        }

        function create(width) {
            var slider = createTemporaryObject(sliderComponent, scene, { width: width })
            changeSpy.target = slider
            delaySpy.target = slider
            changeSpy.clear()
            delaySpy.clear()
            return slider
        }

        // clang-format off
        function test_dragToBothEnds_data() {
            return [
                { tag: "176 to the left",  width: 176, to: -50, position: 3 },
                { tag: "176 to the right", width: 176, to: 400, position: 161 },
                { tag: "94 to the left",   width: 94,  to: -50, position: 3 },
                { tag: "94 to the right",  width: 94,  to: 400, position: 79 },
                { tag: "352 to the right", width: 352, to: 400, position: 337 }
            ]
        }
        // clang-format on

        function test_dragToBothEnds(data) {
            var slider = create(data.width)
            slider.setValue(40)
            // Grab the knob at its centre and drag it past the end.
            mousePress(slider, 46, 6)
            mouseMove(slider, 46 + (data.to - 46) / 2, 6)
            mouseMove(slider, data.to, 6)
            compare(slider.position, data.position)
            compare(changeSpy.signalArguments[changeSpy.count - 1][0], data.position)
            compare(delaySpy.count, 0)
            mouseRelease(slider, data.to, 6)
            compare(delaySpy.count, 1)
            compare(delaySpy.signalArguments[0][0], data.position)
        }

        // clang-format off
        function test_placing_data() {
            return [
                { tag: "index 0 of 10",       width: 176, index: 0,  ratio: -1,  position: 3,   segmentValue: 0 },
                { tag: "index 5 of 10",       width: 176, index: 5,  ratio: -1,  position: 82,  segmentValue: 5 },
                { tag: "index 3 of 10",       width: 176, index: 3,  ratio: -1,  position: 50,  segmentValue: 3 },
                { tag: "index 10 of 10",      width: 94,  index: 10, ratio: -1,  position: 79,  segmentValue: 10 },
                { tag: "index beyond the end", width: 94, index: 12, ratio: -1,  position: 79,  segmentValue: 10 },
                { tag: "ratio 0",             width: 176, index: -1, ratio: 0,   position: 3,   segmentValue: 0 },
                { tag: "ratio 0.5",           width: 104, index: -1, ratio: 0.5, position: 46,  segmentValue: 5 },
                { tag: "ratio 1",             width: 104, index: -1, ratio: 1,   position: 89,  segmentValue: 10 },
                { tag: "ratio 0.3",           width: 176, index: -1, ratio: 0.3, position: 50,  segmentValue: 3 }
            ]
        }
        // clang-format on

        function test_placing(data) {
            var slider = create(data.width)
            if (data.index >= 0) {
                slider.setIndexValue(data.index, false)
                compare(changeSpy.count, 0)
                slider.setIndexValue(data.index, true)
            } else {
                slider.setRatioValue(data.ratio)
            }
            compare(slider.position, data.position)
            compare(slider.segmentValue, data.segmentValue)
            compare(changeSpy.count, 1)
            compare(changeSpy.signalArguments[0][0], data.position)
            compare(delaySpy.count, 0)
        }
    }
}
