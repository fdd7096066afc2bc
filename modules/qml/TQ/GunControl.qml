pragma ComponentBehavior: Bound

import QtQuick
import QX7

// The gun dialog: the six presets with their pictures, the slot they go to, the vertical
// correction and the fire rate and times of the preset the chosen slot uses.
DialogFrame {
    id: dialog
    title: GunControlScreen.gunControlLang[GunControlScreen.TitleText]
    width: 660
    height: 424

    property int editIndex: -1
    readonly property var lang: GunControlScreen.gunControlLang

    // Closes the slot list and takes a name being typed.
    function gunControlFocus() {
        slotList.closeMenu()
        finishRename()
    }

    function finishRename() {
        if (editIndex < 0)
            return
        GunControlScreen.rename(editIndex, nameEditor.text)
        editIndex = -1
    }

    // The controls that keep their own state follow the preset shown.
    function refresh() {
        slotList.currentSelect = GunControlScreen.currentSlot
        yInput.textValue = String(GunControlScreen.gunY)
        timesInput.textValue = String(GunControlScreen.gunTimes)
        endless.isSelect = GunControlScreen.endless
        if (!rateSlider.dragging)
            rateSlider.setStep(GunControlScreen.rateKnob)
    }

    onVisibleChanged: {
        if (visible) {
            refresh()
        } else {
            gunControlFocus()
        }
    }
    Component.onCompleted: refresh()

    Connections {
        target: GunControlScreen
        function onShownChanged() { dialog.refresh() }
    }

    MouseArea {
        anchors.fill: parent
        onPressed: dialog.gunControlFocus()
    }

    component Caption: Text {
        color: Theme.colorGray3
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }

    component Heading: Text {
        color: Theme.textColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMiddleSize
        font.bold: true
    }

    // A framed group of settings under its heading.
    component Box: Rectangle {
        id: box
        property string heading: ""
        width: parent.width
        radius: 4
        color: Theme.colorGray0
        border.color: Theme.colorGray1

        Heading {
            x: 12
            y: 8
            text: box.heading
        }
    }

    // The presets, three by two; the one the chosen slot uses is marked.
    Heading {
        id: presetHeading
        text: dialog.lang[GunControlScreen.GunText]
    }

    Grid {
        id: presets
        anchors.top: presetHeading.bottom
        anchors.topMargin: 10
        columns: 3
        spacing: 8

        Repeater {
            model: GunControlScreen.gunNames

            Rectangle {
                id: card
                required property int index
                required property string modelData
                readonly property bool chosen: index === GunControlScreen.shownPreset
                objectName: "gunPreset" + index
                width: 112
                height: 150
                radius: 4
                color: chosen ? Theme.chosenColor : cardArea.containsMouse ? Theme.fieldColor : Theme.colorGray0
                border.color: chosen ? Theme.colorOrange : Theme.colorGray1

                Image {
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: 10
                    width: 100
                    height: 100
                    fillMode: Image.PreserveAspectFit
                    smooth: true
                    source: Theme.imagePath("gun", GunControlScreen.gunPictures[card.index])
                }

                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    anchors.bottom: parent.bottom
                    anchors.bottomMargin: 10
                    width: parent.width - 12
                    horizontalAlignment: Text.AlignHCenter
                    visible: dialog.editIndex !== card.index
                    text: card.modelData
                    elide: Text.ElideRight
                    color: card.chosen ? Theme.textColor : Theme.colorGray3
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                    font.bold: card.chosen
                }

                MouseArea {
                    id: cardArea
                    anchors.fill: parent
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onPressed: {
                        slotList.closeMenu()
                        if (dialog.editIndex !== card.index)
                            dialog.finishRename()
                    }
                    onClicked: GunControlScreen.choosePreset(card.index)
                    onDoubleClicked: {
                        GunControlScreen.startRename(card.index)
                        dialog.editIndex = card.index
                        nameEditor.begin(card.modelData)
                    }
                }
            }
        }
    }

    // The in-place editor over the name being changed.
    NameEditor {
        id: nameEditor
        inputName: "gunNameEditor"
        visible: dialog.editIndex >= 0
        x: presets.x + (Math.max(0, dialog.editIndex) % 3) * 120 + 4
        y: presets.y + Math.floor(Math.max(0, dialog.editIndex) / 3) * 158 + 116
        width: 104
        height: 26
        z: 5
        leftMargin: 6
        rightMargin: 6
        horizontalAlignment: TextInput.AlignHCenter
        maximumLength: GunControlScreen.maxNameLength
        onFinished: dialog.finishRename()
        onCancelled: dialog.editIndex = -1
    }

    // Right column: the slot, the cursor correction and the fire settings.
    Item {
        id: settings
        x: 368
        width: parent.width - x
        height: parent.height

        Caption {
            id: slotCaption
            anchors.verticalCenter: slotList.verticalCenter
            text: dialog.lang[GunControlScreen.SelectGunText]
        }

        DropDownList {
            id: slotList
            objectName: "gunSlotList"
            anchors.right: parent.right
            width: 130
            height: 26
            textList: GunControlScreen.slotNames
            onValueChange: function(index) { GunControlScreen.chooseSlot(index) }
        }

        Box {
            id: cursorBox
            y: 44
            height: 150
            heading: dialog.lang[GunControlScreen.CursorAdjustText]

            // The vertical correction: a crosshair pulled down the 94-pixel track.
            Item {
                id: markerTrack
                objectName: "gunMarkerTrack"
                x: 24
                y: 40
                width: 40
                height: GunControlScreen.markerTravel + 10

                Rectangle {
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: 5
                    width: 2
                    height: GunControlScreen.markerTravel
                    color: Theme.colorGray1
                }
                Rectangle {
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: 5
                    width: 2
                    height: GunControlScreen.markerOffset
                    color: Theme.colorOrange
                }
                Item {
                    id: marker
                    objectName: "gunMarker"
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: GunControlScreen.markerOffset
                    width: 22
                    height: 10

                    Rectangle {
                        anchors.centerIn: parent
                        width: parent.width
                        height: 2
                        color: markerArea.pressed ? Theme.textColor : Theme.colorOrange
                    }
                    Rectangle {
                        anchors.centerIn: parent
                        width: 10
                        height: 10
                        radius: 5
                        color: Theme.clear
                        border.width: 2
                        border.color: markerArea.pressed ? Theme.textColor : Theme.colorOrange
                    }
                }

                MouseArea {
                    id: markerArea
                    anchors.fill: parent
                    preventStealing: true
                    cursorShape: Qt.SizeVerCursor
                    onPressed: function(mouse) { GunControlScreen.moveMarker(Math.round(mouse.y - 5)) }
                    onPositionChanged: function(mouse) { GunControlScreen.moveMarker(Math.round(mouse.y - 5)) }
                }
            }

            Grid {
                x: 90
                y: 52
                columns: 2
                rowSpacing: 14
                columnSpacing: 12
                verticalItemAlignment: Grid.AlignVCenter

                Caption { text: dialog.lang[GunControlScreen.XAxisText] }
                Rectangle {
                    objectName: "gunX"
                    width: 56
                    height: 24
                    radius: 3
                    color: Theme.trackColor
                    border.color: Theme.colorGray1

                    Text {
                        anchors.centerIn: parent
                        text: String(GunControlScreen.gunX)
                        color: Theme.colorGray2
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                    }
                }

                Caption { text: dialog.lang[GunControlScreen.YAxisText] }
                RectInput {
                    id: yInput
                    objectName: "gunY"
                    width: 56
                    height: 24
                    minValue: 0
                    maxValue: GunControlScreen.maxY
                    onInputSignal: {
                        if (textValue !== "")
                            GunControlScreen.setY(Number(textValue))
                    }
                    onEndInputSignal: GunControlScreen.setY(Number(textValue))
                }
            }
        }

        Box {
            id: fireBox
            anchors.top: cursorBox.bottom
            anchors.topMargin: 12
            height: 140
            heading: dialog.lang[GunControlScreen.FireAdjustText]

            Caption {
                x: 16
                anchors.verticalCenter: rateSlider.verticalCenter
                text: dialog.lang[GunControlScreen.RateText]
            }
            SliderButton {
                id: rateSlider
                objectName: "gunRate"
                x: 80
                y: 52
                steps: GunControlScreen.rateSteps
                onValueChangeDelay: GunControlScreen.releaseRate(step)
            }
            Text {
                objectName: "gunRateLabel"
                anchors.left: rateSlider.right
                anchors.leftMargin: 12
                anchors.verticalCenter: rateSlider.verticalCenter
                text: GunControlScreen.rateLabel(rateSlider.step)
                color: Theme.textColor
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
            }

            Caption {
                x: 16
                anchors.verticalCenter: timesInput.verticalCenter
                text: dialog.lang[GunControlScreen.TimesText]
            }
            RectInput {
                id: timesInput
                objectName: "gunTimes"
                x: 80
                y: 92
                width: 56
                height: 24
                minValue: 0
                maxValue: GunControlScreen.maxTimes
                onEndInputSignal: GunControlScreen.setTimes(Number(textValue))
            }
            CheckBox {
                id: endless
                objectName: "gunEndless"
                anchors.left: timesInput.right
                anchors.leftMargin: 16
                anchors.verticalCenter: timesInput.verticalCenter
                textValue: dialog.lang[GunControlScreen.EndlessText]
                onBtnClick: GunControlScreen.setEndless(isSelect)
            }
        }
    }
}
