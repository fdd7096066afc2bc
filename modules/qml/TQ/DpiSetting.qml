pragma ComponentBehavior: Bound

import QtQuick
import QX7

// The DPI stages: how many are in use (in the panel's title row, beside the restore button) and
// one slider per stage in use, the stage the mouse is on highlighted.
Item {
    id: dpiSetting

    // Closes the stage-count list.
    function closeMenus() {
        stageCount.closeMenu()
    }

    Row {
        anchors.right: parent.right
        y: -30
        spacing: 10
        z: stageCount.z

        DropDownList {
            id: stageCount
            objectName: "dpiStageCount"
            width: 58
            height: 22
            textList: DpiSettingScreen.stageCountModel
            onValueChange: function(index) { DpiSettingScreen.chooseStageCountAt(index) }
        }
        // Kept in step with the profile, also after the user's own choice.
        Binding {
            target: stageCount
            property: "currentSelect"
            value: DpiSettingScreen.stageCountIndex
        }
        RestoreButton {
            objectName: "dpiRestore"
            anchors.verticalCenter: parent.verticalCenter
            onClicked: {
                dpiSetting.closeMenus()
                DpiSettingScreen.restore()
            }
        }
    }

    Column {
        anchors.left: parent.left
        anchors.right: parent.right
        y: 2
        spacing: 2

        Repeater {
            model: DpiSettingScreen.stages

            Item {
                id: stage
                required property int index
                readonly property bool current: index === DpiSettingScreen.currentDPI

                width: parent.width
                height: 26
                visible: index < DpiSettingScreen.currentDpiCount

                Rectangle {
                    anchors.fill: parent
                    radius: 3
                    color: Theme.textColor
                    opacity: stage.current ? 0.06 : 0.0

                    Behavior on opacity {
                        NumberAnimation { duration: 150 }
                    }
                }

                Rectangle {
                    id: badge
                    x: 2
                    anchors.verticalCenter: parent.verticalCenter
                    width: 18
                    height: 18
                    radius: 9
                    color: stage.current ? Theme.colorOrange : Theme.colorGray0
                    border.width: 1
                    border.color: stage.current ? Theme.colorOrange : Theme.colorGray1

                    Text {
                        anchors.centerIn: parent
                        text: String(stage.index + 1)
                        color: stage.current ? Theme.textColor : Theme.colorGray2
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontMinSize
                        font.bold: true
                    }
                }

                SliderButton {
                    id: slider
                    objectName: "dpiSlider" + stage.index
                    anchors.left: badge.right
                    anchors.leftMargin: 8
                    anchors.verticalCenter: parent.verticalCenter
                    steps: DpiSettingScreen.knobSteps
                    colorS: stage.current ? Theme.colorOrange : Theme.dimOrange
                    onValueChange: DpiSettingScreen.dragStage(stage.index, step)
                    onValueChangeDelay: DpiSettingScreen.releaseStage(stage.index, step)

                    function place() {
                        setStep(DpiSettingScreen.knobPositions[stage.index])
                    }

                    Component.onCompleted: jumpToStep(DpiSettingScreen.knobPositions[stage.index])

                    Connections {
                        target: DpiSettingScreen
                        function onKnobsPlaced() { slider.place() }
                    }
                }

                Text {
                    anchors.right: parent.right
                    anchors.rightMargin: 4
                    anchors.verticalCenter: parent.verticalCenter
                    text: String(DpiSettingScreen.dpiValues[stage.index])
                    color: stage.current ? Theme.colorOrange : Theme.colorGray3
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                    font.bold: stage.current
                }
            }
        }
    }
}
