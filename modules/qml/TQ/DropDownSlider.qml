import QtQuick
import QX7

// A field that drops a slider below it; the slider is 16 pixels narrower than the field.
Item {
    id: dropDown

    property bool isDrop: false
    property string textValue: ""
    property color borderColor: Theme.colorGray1
    property color bgColor: Theme.colorGray0
    // Panel behind the slider, its track and its filled part.
    property color sliderBgColor: Theme.colorGray0
    property color sliderbarBg: "#141414"
    property color sliderControl: Theme.colorOrange
    property real horizontalOffset: 0
    property real dropZ: 100
    property alias slider: bar

    signal btnClick()
    signal valueChange(int index)
    signal dragSignal(bool isDrag)

    function closeMenu() {
        isDrop = false
    }

    // Places the knob at a fraction of its travel without emitting valueChange.
    function setValue(ratio) {
        bar.setValue(bar.travelStart + (bar.travelEnd - bar.travelStart) * ratio)
    }

    implicitWidth: 120
    implicitHeight: 26
    z: isDrop || popup.height > 0 ? dropZ : 0

    Rectangle {
        anchors.fill: parent
        radius: 3
        color: fieldArea.pressed ? Qt.darker(dropDown.bgColor, 1.3) : dropDown.bgColor
        border.width: 1
        border.color: dropDown.isDrop || fieldArea.containsMouse ? Theme.colorOrange : dropDown.borderColor

        Behavior on border.color {
            ColorAnimation { duration: 120 }
        }

        Text {
            anchors.left: parent.left
            anchors.leftMargin: 8
            anchors.right: arrow.left
            anchors.rightMargin: 6
            anchors.verticalCenter: parent.verticalCenter
            text: dropDown.textValue
            elide: Text.ElideRight
            color: Theme.textColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
        }

        DropArrow {
            id: arrow
            anchors.right: parent.right
            anchors.rightMargin: 8
            anchors.verticalCenter: parent.verticalCenter
            open: dropDown.isDrop
            color: dropDown.isDrop || fieldArea.containsMouse ? Theme.colorOrange : Theme.colorGray3
        }

        MouseArea {
            id: fieldArea
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: {
                var open = !dropDown.isDrop
                dropDown.btnClick()
                dropDown.isDrop = open
            }
        }
    }

    // A soft shadow under the open popup.
    Rectangle {
        x: popup.x - 1
        y: popup.y + 2
        width: popup.width + 2
        height: popup.height + 3
        radius: 5
        color: "#000000"
        opacity: 0.18
        visible: popup.visible
    }
    Rectangle {
        x: popup.x
        y: popup.y + 1
        width: popup.width
        height: popup.height + 1
        radius: 4
        color: "#000000"
        opacity: 0.3
        visible: popup.visible
    }

    Rectangle {
        id: popup
        x: dropDown.horizontalOffset
        y: dropDown.height + 2
        width: dropDown.width
        height: dropDown.isDrop ? 28 : 0
        visible: height > 0
        // While it slides shut it takes no clicks: they belong to what lies below.
        enabled: dropDown.isDrop
        clip: true
        radius: 3
        color: dropDown.sliderBgColor
        border.width: 1
        border.color: Theme.colorGray1

        Behavior on height {
            NumberAnimation { duration: 180; easing.type: Easing.OutCubic }
        }

        MouseArea {
            anchors.fill: parent
        }

        SliderButton {
            id: bar
            x: 8
            y: 8
            width: dropDown.width - 16
            colorS: dropDown.sliderControl
            trackColor: dropDown.sliderbarBg
            onValueChange: function(position) { dropDown.valueChange(position) }
            onDragSignal: function(isDrag) { dropDown.dragSignal(isDrag) }
        }
    }
}
