pragma ComponentBehavior: Bound

import QtQuick
import QX7

// The assignment dialog of one button: the function groups on the left, the chosen group's
// choices on the right. What each choice assigns, the captures and the commit on closing are
// KeyAssigmentScreen's; this file lays the groups out and passes the user's input on.
DialogFrame {
    id: dialog
    objectName: "keyAssigment"
    title: KeyAssigmentScreen.title
    width: 700
    height: 450

    // The group shown on the right.
    readonly property int page: KeyAssigmentScreen.page
    readonly property var lang: KeyAssigmentScreen.keyAssigmentLang
    readonly property var labels: KeyAssigmentScreen.choiceLabels
    readonly property var choices: KeyAssigmentScreen.choiceIndexes
    readonly property bool capturingFire: KeyAssigmentScreen.capture === KeyAssigmentScreen.FireCapture
    readonly property bool capturingGroup: KeyAssigmentScreen.capture === KeyAssigmentScreen.CombinationCapture
    signal macroEditorRequested()

    // Opens the dialog on a button at the group of its function; false when the button may not change.
    function openButton(index) {
        if (!KeyAssigmentScreen.openButton(index))
            return false
        rateSlider.setStep(KeyAssigmentScreen.ratePosition)
        open()
        return true
    }

    // Closing commits the dialog's record to the key matrix.
    function closeDialog() {
        keyAssigmentFocus()
        KeyAssigmentScreen.close()
        visible = false
    }

    // Closes the dialog's own drop-downs; a key capture ends when the user turns elsewhere.
    function keyAssigmentFocus() {
        KeyAssigmentScreen.endCapture()
        mediaGrid.closeMenu()
        windowsGrid.closeMenu()
        shortcutGrid.closeMenu()
        macroList.closeMenu()
        timesInput.closeFocus()
    }

    // The drop-downs' entries, and what they show as chosen.
    function fillLists() {
        mediaGrid.setTexts(labels[KeyAssigmentScreen.MediaGroup] ?? [])
        windowsGrid.setTexts(labels[KeyAssigmentScreen.WindowsGroup] ?? [])
        shortcutGrid.setTexts(labels[KeyAssigmentScreen.ShortcutGroup] ?? [])
        macroList.setTexts(KeyAssigmentScreen.macroNames)
        showChoices()
    }

    function showChoice(list, index) {
        list.currentSelect = index
        if (index < 0)
            list.textValue = ""
    }

    function showChoices() {
        showChoice(mediaGrid, choices[KeyAssigmentScreen.MediaGroup])
        showChoice(windowsGrid, choices[KeyAssigmentScreen.WindowsGroup])
        showChoice(shortcutGrid, choices[KeyAssigmentScreen.ShortcutGroup])
        showChoice(macroList, KeyAssigmentScreen.macroChoice)
    }

    Component.onCompleted: fillLists()

    // A field that arms a key capture when clicked and shows what was captured.
    component CaptureField: Rectangle {
        id: field
        property string textValue: ""
        property bool armed: false
        signal clicked()

        height: 30
        radius: 4
        color: armed ? Theme.chosenColor : Theme.colorGray0
        border.color: armed || fieldArea.containsMouse ? Theme.colorOrange : Theme.colorGray1

        Text {
            anchors.fill: parent
            anchors.leftMargin: 10
            anchors.rightMargin: 10
            verticalAlignment: Text.AlignVCenter
            text: field.textValue
            elide: Text.ElideRight
            color: field.armed ? Theme.colorGray3 : Theme.textColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
        }
        // A caret blinks while the field waits for a key.
        Rectangle {
            anchors.right: parent.right
            anchors.rightMargin: 10
            anchors.verticalCenter: parent.verticalCenter
            width: 2
            height: 14
            color: Theme.colorOrange
            visible: field.armed
            SequentialAnimation on opacity {
                running: field.armed
                loops: Animation.Infinite
                NumberAnimation { to: 0.0; duration: 400 }
                NumberAnimation { to: 1.0; duration: 400 }
            }
        }
        MouseArea {
            id: fieldArea
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: field.clicked()
        }
    }

    // A square button with a drawn tick or cross.
    component MarkButton: Rectangle {
        id: mark
        property bool cross: false
        signal clicked()

        width: 30
        height: 30
        radius: 4
        color: markArea.pressed ? Theme.colorOrange : markArea.containsMouse ? Theme.buttonHoverTop : Theme.markColor
        border.color: markArea.containsMouse ? Theme.colorOrange : Theme.buttonBorder

        Canvas {
            anchors.fill: parent
            onPaint: {
                var ctx = getContext("2d")
                ctx.reset()
                ctx.strokeStyle = String(Theme.textColor)
                ctx.lineWidth = 2
                ctx.lineCap = "round"
                ctx.beginPath()
                if (mark.cross) {
                    ctx.moveTo(10, 10); ctx.lineTo(20, 20)
                    ctx.moveTo(20, 10); ctx.lineTo(10, 20)
                } else {
                    ctx.moveTo(9, 15); ctx.lineTo(13, 19); ctx.lineTo(21, 11)
                }
                ctx.stroke()
            }
        }
        MouseArea {
            id: markArea
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: mark.clicked()
        }
    }

    // The fixed choices of one group as radio buttons.
    component ChoiceGrid: Grid {
        id: grid
        property int group: 0
        columns: 2
        columnSpacing: 48
        rowSpacing: 20

        Repeater {
            model: dialog.labels[grid.group] ?? []

            RadioButton {
                id: choice
                required property int index
                required property string modelData
                objectName: "choice" + grid.group + "_" + index
                width: 190
                textValue: modelData
                isSelect: dialog.choices[grid.group] === index
                onBtnClick: {
                    KeyAssigmentScreen.choose(grid.group, index)
                    isSelect = Qt.binding(function() { return dialog.choices[grid.group] === choice.index })
                }
            }
        }
    }

    // The entries of one group in a drop-down grid, shown on its page.
    component GroupGrid: DropDownGrid {
        id: groupGrid
        property int group: 0
        visible: dialog.page === group
        width: 260
        height: 30
        onValueChange: function(index) { KeyAssigmentScreen.choose(groupGrid.group, index) }
    }

    component Caption: Text {
        width: 90
        height: 30
        verticalAlignment: Text.AlignVCenter
        color: Theme.colorGray3
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }

    Connections {
        target: KeyAssigmentScreen
        function onLanguageChanged() { dialog.fillLists() }
        function onMacroNamesChanged() { dialog.fillLists() }
        function onRecordChanged() { dialog.showChoices() }
        function onFireChanged() {
            endlessBox.isSelect = KeyAssigmentScreen.endless
            timesInput.textValue = String(KeyAssigmentScreen.times)
        }
    }

    // The groups; gun functions only on mice that have them.
    Column {
        id: groupList
        width: 170
        spacing: 2

        Repeater {
            model: KeyAssigmentScreen.groupTitles

            Rectangle {
                id: groupRow
                required property int index
                required property string modelData
                readonly property bool current: dialog.page === index
                objectName: "group" + index
                visible: index !== KeyAssigmentScreen.GunGroup || MainScreen.isGun
                width: groupList.width
                height: 34
                radius: 4
                color: current ? Theme.chosenColor : groupArea.containsMouse ? Theme.groupHoverColor : Theme.clear

                Rectangle {
                    width: 3
                    height: parent.height - 12
                    anchors.verticalCenter: parent.verticalCenter
                    color: Theme.colorOrange
                    visible: groupRow.current
                }
                Text {
                    anchors.left: parent.left
                    anchors.leftMargin: 14
                    anchors.right: assigned.left
                    anchors.verticalCenter: parent.verticalCenter
                    text: groupRow.modelData
                    elide: Text.ElideRight
                    color: groupRow.current ? Theme.textColor : Theme.colorGray3
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                // Marks the group of the function the button has now.
                Rectangle {
                    id: assigned
                    anchors.right: parent.right
                    anchors.rightMargin: 10
                    anchors.verticalCenter: parent.verticalCenter
                    width: 6
                    height: 6
                    radius: 3
                    color: Theme.colorOrange
                    visible: KeyAssigmentScreen.recordGroup === groupRow.index
                }
                MouseArea {
                    id: groupArea
                    anchors.fill: parent
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onClicked: {
                        dialog.keyAssigmentFocus()
                        KeyAssigmentScreen.page = groupRow.index
                    }
                }
            }
        }
    }

    Rectangle {
        id: divider
        x: groupList.width + 12
        width: 1
        height: parent.height
        color: Theme.colorGray1
    }

    Item {
        id: pages
        x: divider.x + 20
        width: parent.width - x
        height: parent.height

        Text {
            id: pageTitle
            text: KeyAssigmentScreen.groupTitles[dialog.page] ?? ""
            color: Theme.textColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontMiddleSize
            font.bold: true
        }

        Item {
            id: pageBody
            anchors.fill: parent
            anchors.topMargin: 40

            ChoiceGrid {
                objectName: "mousePage"
                visible: dialog.page === KeyAssigmentScreen.MouseGroup
                group: KeyAssigmentScreen.MouseGroup
            }

            Column {
                objectName: "firePage"
                visible: dialog.page === KeyAssigmentScreen.FireGroup
                spacing: 18

                Row {
                    spacing: 12
                    Caption { text: dialog.lang[KeyAssigmentScreen.KeyValueText] ?? "" }
                    CaptureField {
                        objectName: "fireCapture"
                        width: 200
                        textValue: KeyAssigmentScreen.fireText
                        armed: dialog.capturingFire
                        onClicked: {
                            dialog.keyAssigmentFocus()
                            KeyAssigmentScreen.startFireCapture()
                        }
                    }
                }
                Row {
                    spacing: 12
                    Caption { text: dialog.lang[KeyAssigmentScreen.RateText] ?? "" }
                    SliderButton {
                        id: rateSlider
                        objectName: "rateSlider"
                        anchors.verticalCenter: parent.verticalCenter
                        steps: KeyAssigmentScreen.rateSteps
                        height: 12
                        onValueChange: KeyAssigmentScreen.setRatePosition(step)
                    }
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        text: KeyAssigmentScreen.rateText
                        color: Theme.textColor
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                    }
                }
                Row {
                    spacing: 12
                    Caption { text: dialog.lang[KeyAssigmentScreen.TimesText] ?? "" }
                    RectInput {
                        id: timesInput
                        objectName: "timesInput"
                        width: 64
                        height: 30
                        minValue: 0
                        maxValue: KeyAssigmentScreen.maxTimes
                        textValue: String(KeyAssigmentScreen.times)
                        onEndInputSignal: KeyAssigmentScreen.setTimesText(textValue)
                    }
                    CheckBox {
                        id: endlessBox
                        objectName: "endlessBox"
                        anchors.verticalCenter: parent.verticalCenter
                        textValue: dialog.lang[KeyAssigmentScreen.EndnessText] ?? ""
                        isSelect: KeyAssigmentScreen.endless
                        onBtnClick: KeyAssigmentScreen.setEndless(isSelect)
                    }
                }
            }

            Row {
                objectName: "combinationPage"
                visible: dialog.page === KeyAssigmentScreen.CombinationGroup
                spacing: 10

                CaptureField {
                    objectName: "combinationCapture"
                    width: 300
                    textValue: KeyAssigmentScreen.groupText
                    armed: dialog.capturingGroup
                    onClicked: {
                        dialog.keyAssigmentFocus()
                        KeyAssigmentScreen.startCombinationCapture()
                    }
                }
                MarkButton {
                    objectName: "combinationConfirm"
                    onClicked: KeyAssigmentScreen.confirmCombination()
                }
                MarkButton {
                    objectName: "combinationClear"
                    cross: true
                    onClicked: KeyAssigmentScreen.clearCombination()
                }
            }

            GroupGrid {
                id: mediaGrid
                objectName: "mediaGrid"
                group: KeyAssigmentScreen.MediaGroup
            }
            GroupGrid {
                id: windowsGrid
                objectName: "windowsGrid"
                group: KeyAssigmentScreen.WindowsGroup
            }
            GroupGrid {
                id: shortcutGrid
                objectName: "shortcutGrid"
                group: KeyAssigmentScreen.ShortcutGroup
            }

            Column {
                objectName: "macroPage"
                visible: dialog.page === KeyAssigmentScreen.MacroGroup
                spacing: 20
                z: macroList.isDrop ? 10 : 0

                Row {
                    spacing: 12
                    z: 1
                    DropDownList {
                        id: macroList
                        objectName: "macroList"
                        width: 220
                        height: 30
                        onValueChange: function(index) { KeyAssigmentScreen.chooseMacro(index) }
                    }
                    Button {
                        objectName: "macroEditorButton"
                        width: 140
                        height: 30
                        textValue: dialog.lang[KeyAssigmentScreen.MacroEditorText] ?? ""
                        onClicked: {
                            dialog.keyAssigmentFocus()
                            dialog.macroEditorRequested()
                        }
                    }
                }
                Column {
                    spacing: 16
                    Repeater {
                        model: KeyAssigmentScreen.macroModeLabels

                        RadioButton {
                            id: mode
                            required property int index
                            required property string modelData
                            objectName: "macroMode" + index
                            textValue: modelData
                            isSelect: KeyAssigmentScreen.macroMode === index
                            onBtnClick: {
                                KeyAssigmentScreen.setMacroMode(index)
                                isSelect = Qt.binding(function() { return KeyAssigmentScreen.macroMode === mode.index })
                            }
                        }
                    }
                }
            }

            ChoiceGrid {
                objectName: "dpiPage"
                visible: dialog.page === KeyAssigmentScreen.DpiGroup
                group: KeyAssigmentScreen.DpiGroup
            }
            ChoiceGrid {
                objectName: "gunPage"
                visible: dialog.page === KeyAssigmentScreen.GunGroup
                group: KeyAssigmentScreen.GunGroup
            }
        }

        // Back to the profile's default for this button.
        RestoreButton {
            id: restoreButton
            objectName: "restoreButton"
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            reach: 4
            onClicked: {
                dialog.keyAssigmentFocus()
                KeyAssigmentScreen.restore()
                rateSlider.setStep(KeyAssigmentScreen.ratePosition)
            }
        }
    }

    // A press anywhere in the dialog leaves the capture field; the press goes on to what lies
    // below, so a press on the field itself arms it again.
    MouseArea {
        objectName: "captureLeaveArea"
        anchors.fill: parent
        z: 1000
        enabled: KeyAssigmentScreen.capture !== KeyAssigmentScreen.NoCapture
        onPressed: function(mouse) {
            KeyAssigmentScreen.endCapture()
            mouse.accepted = false
        }
    }
}
