pragma ComponentBehavior: Bound

import QtQuick
import QX7

// The lighting: the mode list, the speed and brightness sliders the mode uses, the colour blocks,
// the hue bar and the three number fields of the selected colour.
Item {
    id: lightControl

    readonly property var lang: LightControlScreen.lightControlLang

    // Closes the mode list.
    function lightControlFocus() {
        modeList.closeMenu()
    }

    function showEffect() {
        speedRow.show(LightControlScreen.speedIndex)
        brightnessRow.show(LightControlScreen.brightnessIndex)
    }

    function showSelectedColor() {
        var rgb = LightControlScreen.selectedRgb
        red.field.textValue = String(rgb[0])
        green.field.textValue = String(rgb[1])
        blue.field.textValue = String(rgb[2])
    }

    Component.onCompleted: {
        showEffect()
        showSelectedColor()
    }

    Connections {
        target: LightControlScreen
        function onEffectChanged() { lightControl.showEffect() }
        function onSelectedValueChanged() { lightControl.showSelectedColor() }
    }

    RestoreButton {
        objectName: "lightRestore"
        anchors.right: parent.right
        y: -31
        onClicked: {
            lightControl.lightControlFocus()
            LightControlScreen.restore()
        }
    }

    // Label on the left, control in the middle, value on the right.
    // A level chosen on a scale slider, between its name and the level's text.
    component LevelRow: Item {
        id: row
        property string label: ""
        property string value: ""
        property alias sliderName: slider.objectName
        signal released(int level)
        function show(level) { slider.setIndexValue(level, false) }
        width: lightControl.width
        height: 22

        Text {
            anchors.verticalCenter: parent.verticalCenter
            width: 66
            text: row.label
            elide: Text.ElideRight
            color: Theme.colorGray3
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
        }
        Item {
            x: 70
            width: 140
            height: parent.height

            SliderButton {
                id: slider
                anchors.verticalCenter: parent.verticalCenter
                width: parent.width
                segment: LightControlScreen.levelSteps
                isScale: true
                onValueChangeDelay: row.released(segmentValue)
            }
        }
        Text {
            anchors.right: parent.right
            anchors.rightMargin: 2
            anchors.verticalCenter: parent.verticalCenter
            text: row.value
            color: Theme.colorGray2
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontMinSize
        }
    }

    DropDownList {
        id: modeList
        objectName: "lightModeList"
        width: parent.width
        height: 26
        maxVisible: 6
        textList: LightControlScreen.modes
        onValueChange: function(index) { LightControlScreen.chooseMode(index) }
    }
    // Kept in step with the profile, also after the user's own choice.
    Binding {
        target: modeList
        property: "currentSelect"
        value: LightControlScreen.modeIndex
    }

    // The selected colour as numbers, red, green and blue.
    component ChannelField: Row {
        id: channelField
        property int channel: 0
        property string label: ""
        property color labelColor: Theme.textColor
        property alias field: input
        spacing: 4

        Text {
            height: 24
            verticalAlignment: Text.AlignVCenter
            text: channelField.label
            color: channelField.labelColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            font.bold: true
        }
        RectInput {
            id: input
            objectName: channelField.objectName + "Field"
            width: 44
            maxValue: LightControlScreen.maxChannel
            onEndInputSignal: LightControlScreen.setChannel(channelField.channel, Number(textValue))
        }
    }

    Column {
        y: 36
        width: parent.width
        spacing: 12

        LevelRow {
            id: speedRow
            label: lightControl.lang[LightControlScreen.SpeedText]
            value: LightControlScreen.levelTexts[LightControlScreen.speedIndex]
            visible: LightControlScreen.speedShown
            sliderName: "lightSpeed"
            onReleased: function(level) { LightControlScreen.setSpeed(level) }
        }

        LevelRow {
            id: brightnessRow
            label: lightControl.lang[LightControlScreen.BrightnessText]
            value: LightControlScreen.levelTexts[LightControlScreen.brightnessIndex]
            visible: LightControlScreen.brightnessShown
            sliderName: "lightBrightness"
            onReleased: function(level) { LightControlScreen.setBrightness(level) }
        }

        Item {
            width: parent.width
            height: 26

            Text {
                height: parent.height
                verticalAlignment: Text.AlignVCenter
                text: lightControl.lang[LightControlScreen.ColorText]
                color: Theme.colorGray3
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
            }

            Row {
                x: 70
                spacing: 10

                Repeater {
                    model: LightControlScreen.colorCount

                    Rectangle {
                        id: block
                        required property int index
                        readonly property bool selected: index === LightControlScreen.selectedColor

                        visible: LightControlScreen.colorBlocksShown[index] === true
                        width: 26
                        height: 26
                        radius: 4
                        color: Theme.clear
                        border.width: selected ? 2 : 1
                        border.color: selected ? Theme.colorOrange
                                               : blockArea.containsMouse ? Theme.colorGray2 : Theme.colorGray1

                        Rectangle {
                            anchors.fill: parent
                            anchors.margins: 4
                            radius: 2
                            color: String(LightControlScreen.colors[block.index])
                        }

                        MouseArea {
                            id: blockArea
                            anchors.fill: parent
                            hoverEnabled: true
                            cursorShape: Qt.PointingHandCursor
                            onClicked: LightControlScreen.selectColor(block.index)
                        }
                    }
                }
            }
        }

        // Six segments, each ramping one component: red, yellow, green, cyan, blue, magenta, red.
        Rectangle {
            id: hueBar
            objectName: "hueBar"
            width: parent.width
            height: 12
            radius: 3
            border.width: 1
            border.color: Theme.colorGray1
            gradient: Gradient {
                orientation: Gradient.Horizontal
                GradientStop { position: 0 / 6; color: Theme.hues[0] }
                GradientStop { position: 1 / 6; color: Theme.hues[1] }
                GradientStop { position: 2 / 6; color: Theme.hues[2] }
                GradientStop { position: 3 / 6; color: Theme.hues[3] }
                GradientStop { position: 4 / 6; color: Theme.hues[4] }
                GradientStop { position: 5 / 6; color: Theme.hues[5] }
                GradientStop { position: 6 / 6; color: Theme.hues[6] }
            }

            Rectangle {
                x: Math.max(-2, Math.min(hueBar.width - width + 2, LightControlScreen.hueRatio * hueBar.width - width / 2))
                anchors.verticalCenter: parent.verticalCenter
                width: 8
                height: 18
                radius: 3
                color: LightControlScreen.selectedColorText
                border.width: 2
                border.color: Theme.textColor
            }

            MouseArea {
                anchors.fill: parent
                anchors.topMargin: -5
                anchors.bottomMargin: -5
                cursorShape: Qt.CrossCursor
                preventStealing: true
                onPressed: function(mouse) { LightControlScreen.pickHue(mouse.x, hueBar.width) }
                onPositionChanged: function(mouse) {
                    if (pressed)
                        LightControlScreen.pickHue(mouse.x, hueBar.width)
                }
            }
        }

        Item {
            width: parent.width
            height: 24

            Row {
                spacing: 12

                ChannelField {
                    id: red
                    objectName: "lightRed"
                    channel: 0
                    label: "R"
                    labelColor: Theme.redLabel
                }
                ChannelField {
                    id: green
                    objectName: "lightGreen"
                    channel: 1
                    label: "G"
                    labelColor: Theme.greenLabel
                }
                ChannelField {
                    id: blue
                    objectName: "lightBlue"
                    channel: 2
                    label: "B"
                    labelColor: Theme.blueLabel
                }
            }

            Rectangle {
                anchors.right: parent.right
                width: 34
                height: 24
                radius: 4
                color: LightControlScreen.selectedColorText
                border.width: 1
                border.color: Theme.colorGray1
            }
        }
    }
}
