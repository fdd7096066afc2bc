pragma ComponentBehavior: Bound

import QtQuick
import QX7

// The macro editor: the macros on the left (renamed in place, context menu for Delete, Import and
// Export), the selected macro's actions on the right (context menu edits, delays edited in place),
// the repeat count, the Delay box and recording. Every rule is MacroEditorScreen's.
DialogFrame {
    id: dialog

    readonly property var lang: MacroEditorScreen.macroEditorLang
    // The macro whose name is being edited, and the delay whose number is.
    property int renaming: -1
    property int editingDelay: -1
    // The action the action list's menu was opened on (-1: below the last).
    property int menuAction: -1

    title: lang[MacroEditorScreen.TitleText]
    width: 680
    height: 480

    // Closes the dialog's menus and ends the in-place editors, keeping what was typed.
    function macroEditorFocus() {
        macroMenu.closeMenu()
        actionMenu.closeMenu()
        dialog.forceActiveFocus()
    }

    function showRepeat() {
        timesField.textValue = String(MacroEditorScreen.repeatCount)
    }

    onVisibleChanged: {
        if (!visible) {
            macroEditorFocus()
            MacroEditorScreen.close()
        }
    }

    Component.onCompleted: {
        showRepeat()
        delayBox.isSelect = MacroEditorScreen.recordDelay
    }

    Connections {
        target: MacroEditorScreen
        function onRepeatCountChanged() { dialog.showRepeat() }
        function onSelectedMacroChanged() {
            dialog.showRepeat()
            dialog.renaming = -1
            dialog.editingDelay = -1
        }
        function onRecordDelayChanged() { delayBox.isSelect = MacroEditorScreen.recordDelay }
        function onIsInputtingChanged() {
            // Typed keys go to the recording, not to a field of this dialog.
            if (MacroEditorScreen.isInputting)
                dialog.forceActiveFocus()
        }
        function onMessageChanged() {
            messageText.text = MacroEditorScreen.message
            messageText.opacity = 1
            messageTimer.restart()
        }
    }

    component Heading: Text {
        height: 20
        verticalAlignment: Text.AlignVCenter
        color: Theme.colorGray3
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
        font.bold: true
    }

    component ListFrame: Rectangle {
        radius: 4
        color: Theme.colorGray0
        border.width: 1
        border.color: Theme.colorGray1
        clip: true
    }

    // The macros.
    Item {
        id: macroColumn
        width: 210
        height: parent.height

        Heading {
            text: dialog.lang[MacroEditorScreen.MacroNameText]
        }

        ListFrame {
            id: macroFrame
            y: 26
            width: parent.width
            height: parent.height - y - 44

            // Below the macros, and in an empty list, the menu offers Import.
            MouseArea {
                objectName: "macroListSpace"
                anchors.fill: parent
                acceptedButtons: Qt.RightButton
                onPressed: function(mouse) {
                    dialog.macroEditorFocus()
                    macroMenu.openAt(macroFrame, mouse.x, mouse.y, -1)
                }
            }

            ListView {
                id: macroList
                objectName: "macroList"
                anchors.fill: parent
                anchors.margins: 3
                model: MacroEditorScreen.macroNames
                currentIndex: MacroEditorScreen.selectedMacro
                boundsBehavior: Flickable.StopAtBounds
                highlightFollowsCurrentItem: false

                delegate: Rectangle {
                    id: macroRow
                    required property int index
                    required property string modelData
                    readonly property bool selected: index === MacroEditorScreen.selectedMacro
                    readonly property bool editing: index === dialog.renaming

                    objectName: "macroRow" + index
                    width: macroList.width
                    height: 28
                    radius: 3
                    color: selected ? Theme.selectedColor : macroArea.containsMouse ? Theme.fieldColor : Theme.clear

                    Rectangle {
                        x: 2
                        width: 3
                        height: parent.height - 10
                        anchors.verticalCenter: parent.verticalCenter
                        radius: 1.5
                        color: Theme.colorOrange
                        visible: macroRow.selected
                    }

                    Text {
                        anchors.fill: parent
                        anchors.leftMargin: 12
                        anchors.rightMargin: 8
                        verticalAlignment: Text.AlignVCenter
                        visible: !macroRow.editing
                        text: macroRow.modelData
                        elide: Text.ElideRight
                        color: macroRow.selected ? Theme.textColor : Theme.colorGray3
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                    }

                    MouseArea {
                        id: macroArea
                        anchors.fill: parent
                        hoverEnabled: true
                        acceptedButtons: Qt.LeftButton | Qt.RightButton
                        onPressed: function(mouse) {
                            dialog.macroEditorFocus()
                            if (!macroRow.selected)
                                MacroEditorScreen.selectMacro(macroRow.index)
                            if (mouse.button === Qt.RightButton)
                                macroMenu.openAt(macroRow, mouse.x, mouse.y, macroRow.index)
                        }
                        onDoubleClicked: function(mouse) {
                            if (mouse.button === Qt.LeftButton)
                                dialog.renaming = macroRow.index
                        }
                    }

                    // The name in place; Enter or leaving the field takes it, Esc keeps the old one.
                    NameEditor {
                        id: nameInput
                        anchors.fill: parent
                        anchors.margins: 2
                        visible: macroRow.editing
                        color: Theme.colorGray0
                        leftMargin: 9
                        rightMargin: 6
                        maximumLength: MacroEditorScreen.maxNameLength
                        onFinished: {
                            if (dialog.renaming !== macroRow.index)
                                return
                            dialog.renaming = -1
                            MacroEditorScreen.renameMacro(macroRow.index, text)
                        }
                        onCancelled: {
                            dialog.renaming = -1
                            dialog.forceActiveFocus()
                        }
                    }

                    onEditingChanged: {
                        if (editing) {
                            nameInput.begin(modelData)
                        }
                    }
                }
            }
        }

        Row {
            anchors.bottom: parent.bottom
            spacing: 10

            Button {
                objectName: "macroNew"
                width: 100
                height: 32
                textValue: dialog.lang[MacroEditorScreen.NewText]
                onClicked: {
                    dialog.macroEditorFocus()
                    MacroEditorScreen.newMacro()
                    macroList.positionViewAtIndex(MacroEditorScreen.selectedMacro, ListView.Contain)
                }
            }
            Button {
                objectName: "macroDelete"
                width: 100
                height: 32
                enabled: MacroEditorScreen.selectedMacro >= 0
                textValue: dialog.lang[MacroEditorScreen.DeleteText]
                onClicked: {
                    dialog.macroEditorFocus()
                    MacroEditorScreen.removeMacro(MacroEditorScreen.selectedMacro)
                }
            }
        }

        ContextMenu {
            id: macroMenu
            objectName: "macroMenu"
            property var entries: []

            function openAt(item, px, py, macro) {
                entries = MacroEditorScreen.menuEntries(macro)
                var at = item.mapToItem(macroColumn, px, py)
                popup(at.x, at.y)
            }

            texts: entries.map(function(entry) { return dialog.lang[entry] })
            onChosen: function(index) {
                switch (entries[index]) {
                case MacroEditorScreen.DeleteMenuText:
                    MacroEditorScreen.removeMacro(MacroEditorScreen.selectedMacro)
                    break
                case MacroEditorScreen.ImportText:
                    MacroEditorScreen.importMacro()
                    break
                case MacroEditorScreen.ExportText:
                    MacroEditorScreen.exportMacro()
                    break
                }
            }
        }
    }

    // The selected macro's actions.
    Item {
        id: actionColumn
        x: macroColumn.width + 16
        width: parent.width - x
        height: parent.height

        Heading {
            text: dialog.lang[MacroEditorScreen.ActionText]
        }

        // How much of the mouse's macro block the actions take.
        Row {
            anchors.right: parent.right
            height: 20
            spacing: 8

            Rectangle {
                anchors.verticalCenter: parent.verticalCenter
                width: 90
                height: 4
                radius: 2
                color: Theme.colorGray1

                Rectangle {
                    width: parent.width * Math.min(1, MacroEditorScreen.encodedLength / MacroEditorScreen.blockSize)
                    height: parent.height
                    radius: 2
                    color: MacroEditorScreen.encodedLength > MacroEditorScreen.blockSize - 8 ? Theme.colorOrange
                                                                                          : Theme.colorGray2
                }
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: MacroEditorScreen.encodedLength + " / " + MacroEditorScreen.blockSize + " B"
                color: Theme.colorGray2
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontMinSize
            }
        }

        ListFrame {
            id: actionFrame
            y: 26
            width: parent.width
            height: parent.height - y - 70
            border.color: MacroEditorScreen.isInputting ? Theme.recordBorder : Theme.colorGray1

            // Below the last action: the menu appends.
            MouseArea {
                anchors.fill: parent
                acceptedButtons: Qt.RightButton
                enabled: MacroEditorScreen.selectedMacro >= 0 && !MacroEditorScreen.isInputting
                onPressed: function(mouse) {
                    dialog.macroEditorFocus()
                    dialog.menuAction = -1
                    MacroEditorScreen.selectAction(-1)
                    var at = actionFrame.mapToItem(actionColumn, mouse.x, mouse.y)
                    actionMenu.popup(at.x, at.y)
                }
            }

            ListView {
                id: actionList
                objectName: "actionList"
                anchors.fill: parent
                anchors.margins: 3
                model: MacroEditorScreen.actions
                boundsBehavior: Flickable.StopAtBounds
                onCountChanged: {
                    if (MacroEditorScreen.isInputting)
                        positionViewAtEnd()
                }

                delegate: Rectangle {
                    id: actionRow
                    required property int index
                    required property var modelData
                    readonly property bool delay: modelData.delay
                    readonly property bool press: modelData.press
                    readonly property bool selected: index === MacroEditorScreen.selectedAction
                    readonly property bool editing: index === dialog.editingDelay

                    width: actionList.width
                    height: 26
                    radius: 3
                    color: selected ? Theme.selectedColor : actionArea.containsMouse ? Theme.fieldColor : Theme.clear

                    Text {
                        x: 6
                        width: 26
                        height: parent.height
                        verticalAlignment: Text.AlignVCenter
                        horizontalAlignment: Text.AlignRight
                        text: String(actionRow.index + 1)
                        color: Theme.colorGray2
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontMinSize
                    }

                    Image {
                        id: icon
                        x: 42
                        anchors.verticalCenter: parent.verticalCenter
                        source: Theme.imagePath("macros", actionRow.delay ? "delay.png"
                                                        : actionRow.press ? "press.png" : "release.png")
                    }

                    Text {
                        x: 66
                        height: parent.height
                        verticalAlignment: Text.AlignVCenter
                        visible: !actionRow.editing
                        text: actionRow.delay ? actionRow.modelData.info + " ms" : actionRow.modelData.info
                        color: actionRow.delay ? Theme.colorGray2 : Theme.textColor
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                        font.bold: !actionRow.delay
                    }

                    MouseArea {
                        id: actionArea
                        anchors.fill: parent
                        hoverEnabled: true
                        enabled: !MacroEditorScreen.isInputting
                        acceptedButtons: Qt.LeftButton | Qt.RightButton
                        onPressed: function(mouse) {
                            dialog.macroEditorFocus()
                            MacroEditorScreen.selectAction(actionRow.index)
                            if (mouse.button === Qt.RightButton) {
                                dialog.menuAction = actionRow.index
                                var at = actionRow.mapToItem(actionColumn, mouse.x, mouse.y)
                                actionMenu.popup(at.x, at.y)
                            }
                        }
                        onDoubleClicked: function(mouse) {
                            if (mouse.button === Qt.LeftButton && actionRow.delay)
                                dialog.editingDelay = actionRow.index
                        }
                    }

                    // The delay in place: a valid number replaces it.
                    RectInput {
                        id: delayInput
                        x: 62
                        anchors.verticalCenter: parent.verticalCenter
                        width: 70
                        height: 22
                        visible: actionRow.editing
                        maxValue: MacroEditorScreen.maxDelayMs
                        onEndInputSignal: {
                            if (dialog.editingDelay !== actionRow.index)
                                return
                            dialog.editingDelay = -1
                            MacroEditorScreen.setDelay(actionRow.index, textValue)
                        }
                    }
                    Text {
                        anchors.left: delayInput.right
                        anchors.leftMargin: 6
                        height: parent.height
                        verticalAlignment: Text.AlignVCenter
                        visible: actionRow.editing
                        text: "ms"
                        color: Theme.colorGray2
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                    }

                    onEditingChanged: {
                        if (editing) {
                            delayInput.textValue = modelData.info
                            delayInput.txtInput.forceActiveFocus()
                        }
                    }
                }
            }
        }

        // Repeat count, Delay and recording.
        Item {
            id: controls
            anchors.top: actionFrame.bottom
            anchors.topMargin: 12
            width: parent.width
            height: 32

            Row {
                anchors.verticalCenter: parent.verticalCenter
                spacing: 8

                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    text: dialog.lang[MacroEditorScreen.TimesText]
                    color: Theme.colorGray3
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                RectInput {
                    id: timesField
                    objectName: "macroTimes"
                    anchors.verticalCenter: parent.verticalCenter
                    width: 56
                    enabled: MacroEditorScreen.selectedMacro >= 0 && !MacroEditorScreen.isInputting
                    minValue: 1
                    maxValue: MacroEditorScreen.maxRepeat
                    // Four digits can be typed; a larger count from a file still shows whole.
                    maxLength: Math.max(4, String(MacroEditorScreen.repeatCount).length)
                    onEndInputSignal: MacroEditorScreen.setRepeatCount(Number(textValue))
                }
                Item {
                    width: 10
                    height: 1
                }
                CheckBox {
                    id: delayBox
                    objectName: "macroDelay"
                    anchors.verticalCenter: parent.verticalCenter
                    textValue: dialog.lang[MacroEditorScreen.DelayText]
                    onBtnClick: MacroEditorScreen.recordDelay = isSelect
                }
            }

            Row {
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                spacing: 10

                // Lit while recording.
                Rectangle {
                    id: recordLight
                    anchors.verticalCenter: parent.verticalCenter
                    width: 10
                    height: 10
                    radius: 5
                    color: Theme.recordDot
                    visible: MacroEditorScreen.isInputting

                    SequentialAnimation on opacity {
                        running: recordLight.visible
                        loops: Animation.Infinite
                        NumberAnimation { from: 1.0; to: 0.25; duration: 500 }
                        NumberAnimation { from: 0.25; to: 1.0; duration: 500 }
                    }
                }
                Button {
                    id: recordButton
                    objectName: "macroRecord"
                    width: 140
                    height: 32
                    enabled: MacroEditorScreen.selectedMacro >= 0 && !MacroEditorScreen.isInsertting
                    textValue: MacroEditorScreen.isInputting ? dialog.lang[MacroEditorScreen.StopRecordText]
                                                             : dialog.lang[MacroEditorScreen.StartRecordText]
                    onClicked: {
                        dialog.macroEditorFocus()
                        if (MacroEditorScreen.isInputting)
                            MacroEditorScreen.stopRecord()
                        else
                            MacroEditorScreen.startRecord()
                    }
                }
            }
        }

        Text {
            id: messageText
            objectName: "macroMessage"
            anchors.top: controls.bottom
            anchors.topMargin: 8
            width: parent.width
            opacity: 0
            elide: Text.ElideRight
            color: Theme.colorOrange
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize

            Behavior on opacity {
                NumberAnimation { duration: 300 }
            }

            Timer {
                id: messageTimer
                interval: 4000
                onTriggered: messageText.opacity = 0
            }
        }

        ContextMenu {
            id: actionMenu
            objectName: "actionMenu"
            readonly property var entries: [MacroEditorScreen.DeleteMenuText, MacroEditorScreen.InsertDelayText,
                                            MacroEditorScreen.InsertKeyText, MacroEditorScreen.InsertLeftText,
                                            MacroEditorScreen.InsertMiddleText, MacroEditorScreen.InsertRightText]
            texts: entries.map(function(entry) { return dialog.lang[entry] })
            onChosen: function(index) {
                var at = dialog.menuAction
                switch (entries[index]) {
                case MacroEditorScreen.DeleteMenuText:
                    MacroEditorScreen.deleteAction(at)
                    break
                case MacroEditorScreen.InsertDelayText:
                    MacroEditorScreen.insertDelay(at)
                    break
                case MacroEditorScreen.InsertKeyText:
                    MacroEditorScreen.startInsertKey(at)
                    break
                case MacroEditorScreen.InsertLeftText:
                    MacroEditorScreen.insertMouseKey(at, MacroEditorScreen.LeftKey)
                    break
                case MacroEditorScreen.InsertMiddleText:
                    MacroEditorScreen.insertMouseKey(at, MacroEditorScreen.MiddleKey)
                    break
                case MacroEditorScreen.InsertRightText:
                    MacroEditorScreen.insertMouseKey(at, MacroEditorScreen.RightKey)
                    break
                }
            }
        }
    }

    // Insert Key: shows the key pressed until OK or Cancel.
    Rectangle {
        id: insertBox
        objectName: "insertKeyBox"
        anchors.centerIn: parent
        width: 260
        height: 150
        visible: MacroEditorScreen.isInsertting
        z: 400
        radius: 6
        color: Theme.popupColor
        border.width: 1
        border.color: Theme.colorOrange

        MouseArea {
            anchors.fill: parent
        }

        Text {
            x: 14
            y: 10
            text: dialog.lang[MacroEditorScreen.InsertKeyText]
            color: Theme.textColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontMiddleSize
            font.bold: true
        }

        Rectangle {
            x: 14
            y: 40
            width: parent.width - 28
            height: 52
            radius: 4
            color: Theme.colorGray0
            border.width: 1
            border.color: Theme.colorGray1

            Text {
                anchors.centerIn: parent
                text: MacroEditorScreen.insertKeyLabel !== "" ? MacroEditorScreen.insertKeyLabel
                                                               : dialog.lang[MacroEditorScreen.PressKeyText]
                color: MacroEditorScreen.insertKeyLabel !== "" ? Theme.textColor : Theme.colorGray2
                font.family: Theme.fontFamily
                font.pixelSize: MacroEditorScreen.insertKeyLabel !== "" ? Theme.fontMaxSize + 4 : Theme.fontNormalSize
                font.bold: MacroEditorScreen.insertKeyLabel !== ""
            }
        }

        Row {
            anchors.right: parent.right
            anchors.rightMargin: 14
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 12
            spacing: 10

            Button {
                width: 80
                height: 28
                textValue: dialog.lang[MacroEditorScreen.CancelText]
                onClicked: MacroEditorScreen.cancelInsertKey()
            }
            Button {
                width: 80
                height: 28
                enabled: MacroEditorScreen.insertKeyLabel !== ""
                textValue: dialog.lang[MacroEditorScreen.OkText]
                onClicked: MacroEditorScreen.confirmInsertKey()
            }
        }
    }
}
