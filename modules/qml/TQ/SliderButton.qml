pragma ComponentBehavior: Bound

import QtQuick
import QX7

// A horizontal track with a 12 x 12 knob. The knob position is its left edge in the track; it runs
// from a quarter knob-width after the left end to a knob-width and a quarter before the right end
// (3..161 on a 176-pixel track). A slider whose screen counts steps is as wide as `steps` pixels of
// travel need, and reads and places its knob by `step`; one without steps is given its width.
Item {
    id: slider

    property int segment: 10
    property int segmentValue: 0
    // Shows the segment marks and keeps the knob on them.
    property bool isScale: false
    property color colorS: Theme.colorOrange
    property color trackColor: Theme.trackColor
    property int knobSize: 12
    property int position: travelStart
    readonly property int travelStart: Math.floor(knobSize / 4)
    readonly property int travelEnd: Math.floor(width - knobSize * 5 / 4)
    property int steps: 0
    readonly property int step: position - travelStart
    readonly property bool dragging: area.dragging
    property bool sliding: true

    signal valueChange(int position)
    signal valueChangeDelay(int position)
    signal btnClick()
    signal dragSignal(bool isDrag)

    // Places the knob without telling anyone.
    function setValue(newPosition) {
        position = clampPosition(newPosition)
        segmentValue = segmentOf(position)
    }

    // Places the knob at once: a scene made again after the window was hidden shows its knobs where
    // they were, not sliding in from the start.
    function jumpTo(newPosition) {
        sliding = false
        setValue(newPosition)
        sliding = true
    }

    function setStep(newStep) {
        setValue(travelStart + newStep)
    }

    function jumpToStep(newStep) {
        jumpTo(travelStart + newStep)
    }

    function setRatioValue(ratio) {
        setValue(travelStart + (travelEnd - travelStart) * ratio)
        valueChange(position)
    }

    function setIndexValue(index, send) {
        var i = Math.max(0, Math.min(segment, index))
        position = clampPosition(positionOf(i))
        segmentValue = i
        if (send)
            valueChange(position)
    }

    function clampPosition(p) {
        return Math.max(travelStart, Math.min(travelEnd, Math.floor(p)))
    }

    function positionOf(index) {
        return travelStart + Math.floor(index * (travelEnd - travelStart) / Math.max(1, segment))
    }

    function segmentOf(p) {
        var travel = travelEnd - travelStart
        return travel > 0 ? Math.round((p - travelStart) * segment / travel) : 0
    }

    function moveTo(p) {
        var q = clampPosition(p)
        if (isScale)
            q = positionOf(segmentOf(q))
        if (q === position)
            return
        position = q
        segmentValue = segmentOf(q)
        valueChange(q)
    }

    implicitWidth: travelStart + steps + Math.ceil(knobSize * 5 / 4)
    implicitHeight: knobSize

    // Segment marks, behind the track.
    Repeater {
        model: slider.isScale ? slider.segment + 1 : 0

        Rectangle {
            required property int index
            x: slider.positionOf(index) + slider.knobSize / 2 - 1
            anchors.verticalCenter: parent.verticalCenter
            width: 2
            height: 8
            radius: 1
            color: x < knob.x ? Qt.darker(slider.colorS, 1.3) : Theme.scaleMark
        }
    }

    Rectangle {
        id: track
        anchors.verticalCenter: parent.verticalCenter
        width: parent.width
        height: 4
        radius: 2
        color: slider.trackColor
        border.width: 1
        border.color: Theme.trackBorder
    }

    Rectangle {
        anchors.verticalCenter: parent.verticalCenter
        width: knob.x + knob.width / 2
        height: 4
        radius: 2
        color: slider.colorS
    }

    Rectangle {
        id: knob
        x: slider.position
        anchors.verticalCenter: parent.verticalCenter
        width: slider.knobSize
        height: slider.knobSize
        radius: width / 2
        border.width: 1
        border.color: area.containsMouse || area.pressed ? Theme.colorOrange : Theme.knobBorder
        gradient: Gradient {
            GradientStop { position: 0.0; color: area.pressed ? Theme.colorGray3 : Theme.textColor }
            GradientStop { position: 1.0; color: area.pressed ? Theme.colorGray2 : Theme.knobBottom }
        }

        Behavior on x {
            enabled: slider.sliding && (!area.dragging || slider.isScale)
            NumberAnimation { duration: 120; easing.type: Easing.OutQuad }
        }

        Rectangle {
            anchors.centerIn: parent
            width: 4
            height: 4
            radius: 2
            color: Theme.colorOrange
            visible: area.containsMouse || area.pressed
        }
    }

    MouseArea {
        id: area
        property real grab: 0
        property bool dragging: false
        anchors.fill: parent
        anchors.topMargin: -4
        anchors.bottomMargin: -4
        hoverEnabled: true
        preventStealing: true
        cursorShape: Qt.PointingHandCursor

        onPressed: function(mouse) {
            slider.btnClick()
            if (mouse.x >= slider.position && mouse.x < slider.position + slider.knobSize) {
                grab = mouse.x - slider.position
            } else {
                grab = slider.knobSize / 2
                slider.moveTo(mouse.x - grab)
            }
        }
        onPositionChanged: function(mouse) {
            if (!pressed)
                return
            if (!dragging) {
                dragging = true
                slider.dragSignal(true)
            }
            slider.moveTo(mouse.x - grab)
        }
        onReleased: finish()
        onCanceled: finish()

        function finish() {
            if (dragging) {
                dragging = false
                slider.dragSignal(false)
            }
            slider.valueChangeDelay(slider.position)
        }
    }
}
