import QtQuick
import QX7

// The desktop's pointer speed, double-click speed and wheel scrolling. A setting this desktop
// does not have is shown disabled with the reason; its value is still kept in the profile.
DialogFrame {
    id: dialog
    title: SystemSettingScreen.systemSettingLang[0]
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
            speedSlider.setValue(SystemSettingScreen.mouseRate)
        if (!doubleSlider.dragging)
            doubleSlider.setValue(SystemSettingScreen.doubleRate)
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
        property string reason: ""
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
        property string slowText: ""
        property string fastText: ""
        readonly property bool dragging: rowSlider.dragging
        signal released(int position)
        function setValue(position) { rowSlider.setValue(position) }
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
            // Positions 3 to 337.
            width: 352
            onValueChangeDelay: function(position) { row.released(position) }
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
            heading: dialog.lang[1]
            reason: dialog.lang[8]
            offered: SystemSettingScreen.speedOffered

            SpeedRow {
                id: speedSlider
                slowText: dialog.lang[3]
                fastText: dialog.lang[4]
                sliderName: "speedSlider"
                onReleased: function(position) { SystemSettingScreen.releaseSpeed(position) }
            }
        }

        Setting {
            objectName: "doubleClickSetting"
            heading: dialog.lang[2]
            reason: dialog.lang[8]
            offered: SystemSettingScreen.doubleClickOffered

            SpeedRow {
                id: doubleSlider
                slowText: dialog.lang[3]
                fastText: dialog.lang[4]
                sliderName: "doubleClickSlider"
                onReleased: function(position) { SystemSettingScreen.releaseDoubleClick(position) }
            }
        }

        Setting {
            objectName: "scrollSetting"
            heading: dialog.lang[5]
            reason: dialog.lang[8]
            offered: SystemSettingScreen.scrollOffered

            Row {
                anchors.verticalCenter: parent.verticalCenter
                spacing: 12

                RadioButton {
                    id: rowsChoice
                    objectName: "rowsChoice"
                    anchors.verticalCenter: parent.verticalCenter
                    textValue: dialog.lang[6]
                    onBtnClick: SystemSettingScreen.chooseRows()
                }
                RectInput {
                    id: linesInput
                    objectName: "linesInput"
                    anchors.verticalCenter: parent.verticalCenter
                    width: 52
                    height: 24
                    minValue: 1
                    maxValue: 100
                    maxLength: 3
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
                    textValue: dialog.lang[7]
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
        textValue: dialog.lang[9]
        onClicked: {
            dialog.systemSettingFocus()
            SystemSettingScreen.restore()
        }
    }
}
