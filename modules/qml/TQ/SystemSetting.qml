import QtQuick
import QX7

// The desktop's pointer speed, double-click speed and wheel scrolling. A setting this desktop
// does not have is shown disabled with the reason; its value is still kept in the profile.
DialogFrame {
    id: dialog
    title: SystemSettingScreen.systemSettingLang[SystemSettingScreen.TitleText]
    width: 520
    height: 420

    readonly property var lang: SystemSettingScreen.systemSettingLang

    // Ends typing in the number field.
    function systemSettingFocus() {
        linesInput.closeFocus()
    }

    // The controls that keep their own state follow the stored values.
    function refresh() {
        if (!speedSlider.dragging)
            speedSlider.setStep(SystemSettingScreen.speedPosition)
        if (!doubleSlider.dragging)
            doubleSlider.setStep(SystemSettingScreen.doublePosition)
        linesInput.textValue = String(SystemSettingScreen.lines)
        rowsChoice.isSelect = !SystemSettingScreen.scrollOneScreen
        screenChoice.isSelect = SystemSettingScreen.scrollOneScreen
    }

    onVisibleChanged: {
        if (visible) {
            SystemSettingScreen.readDesktop()
            refresh()
        } else {
            systemSettingFocus()
        }
    }
    Component.onCompleted: refresh()

    Connections {
        target: SystemSettingScreen
        function onValuesChanged() { dialog.refresh() }
    }

    MouseArea {
        anchors.fill: parent
        onPressed: dialog.systemSettingFocus()
    }

    // One setting: its heading, the reason when the desktop lacks it, and its controls.
    component Setting: Rectangle {
        id: setting
        property string heading: ""
        property bool offered: true
        property string reason: SystemSettingScreen.systemSettingLang[SystemSettingScreen.NotOfferedText]
        default property alias content: controls.data

        width: parent ? parent.width : 0
        height: 96
        radius: 4
        color: Theme.colorGray0
        border.color: Theme.colorGray1

        Text {
            x: 14
            y: 10
            text: setting.heading
            color: Theme.textColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontMiddleSize
            font.bold: true
        }
        Text {
            anchors.right: parent.right
            anchors.rightMargin: 14
            y: 12
            visible: !setting.offered
            text: setting.reason
            color: Theme.colorOrange
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontMinSize
        }
        Item {
            id: controls
            x: 14
            y: 40
            width: parent.width - 28
            height: parent.height - 48
            enabled: setting.offered
            opacity: setting.offered ? 1.0 : 0.4
        }
    }

    component SpeedRow: Row {
        id: row
        property string sliderName: ""
        property string slowText: SystemSettingScreen.systemSettingLang[SystemSettingScreen.SlowText]
        property string fastText: SystemSettingScreen.systemSettingLang[SystemSettingScreen.FastText]
        readonly property bool dragging: rowSlider.dragging
        signal released(int position)
        function setStep(position) { rowSlider.setStep(position) }
        spacing: 12
        anchors.verticalCenter: parent.verticalCenter

        Text {
            width: 50
            anchors.verticalCenter: parent.verticalCenter
            horizontalAlignment: Text.AlignRight
            text: row.slowText
            color: Theme.colorGray3
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
        }
        SliderButton {
            id: rowSlider
            objectName: row.sliderName
            anchors.verticalCenter: parent.verticalCenter
            steps: SystemSettingScreen.sliderSteps
            onValueChangeDelay: row.released(step)
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: row.fastText
            color: Theme.colorGray3
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
        }
    }

    Column {
        id: settings
        width: parent.width
        spacing: 10

        Setting {
            objectName: "speedSetting"
            heading: dialog.lang[SystemSettingScreen.MouseSpeedText]
            offered: SystemSettingScreen.speedOffered

            SpeedRow {
                id: speedSlider
                sliderName: "speedSlider"
                onReleased: function(position) { SystemSettingScreen.releaseSpeed(position) }
            }
        }

        Setting {
            objectName: "doubleClickSetting"
            heading: dialog.lang[SystemSettingScreen.DoubleClickSpeedText]
            offered: SystemSettingScreen.doubleClickOffered

            SpeedRow {
                id: doubleSlider
                sliderName: "doubleClickSlider"
                onReleased: function(position) { SystemSettingScreen.releaseDoubleClick(position) }
            }
        }

        Setting {
            objectName: "scrollSetting"
            heading: dialog.lang[SystemSettingScreen.ScrollSpeedText]
            offered: SystemSettingScreen.scrollOffered

            Row {
                anchors.verticalCenter: parent.verticalCenter
                spacing: 12

                RadioButton {
                    id: rowsChoice
                    objectName: "rowsChoice"
                    anchors.verticalCenter: parent.verticalCenter
                    textValue: dialog.lang[SystemSettingScreen.RowsText]
                    onBtnClick: SystemSettingScreen.chooseRows()
                }
                RectInput {
                    id: linesInput
                    objectName: "linesInput"
                    anchors.verticalCenter: parent.verticalCenter
                    width: 52
                    height: 24
                    minValue: 1
                    maxValue: SystemSettingScreen.maxLines
                    enabled: rowsChoice.isSelect
                    opacity: enabled ? 1.0 : 0.5
                    onEndInputSignal: SystemSettingScreen.leaveLines(textValue)
                }
                Item {
                    width: 24
                    height: 1
                }
                RadioButton {
                    id: screenChoice
                    objectName: "screenChoice"
                    anchors.verticalCenter: parent.verticalCenter
                    textValue: dialog.lang[SystemSettingScreen.OneScreenText]
                    onBtnClick: SystemSettingScreen.chooseOneScreen()
                }
            }
        }
    }

    Button {
        objectName: "systemRestore"
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        width: 140
        height: 32
        textValue: dialog.lang[SystemSettingScreen.RestoreText]
        onClicked: {
            dialog.systemSettingFocus()
            SystemSettingScreen.restore()
        }
    }
}
