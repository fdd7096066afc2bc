pragma ComponentBehavior: Bound

import QtQuick
import QX7

// The profiles dialog: the list with New and Import below it, rename by double-click, Delete and
// Export from the right-click menu. Switching is the top menu's.
DialogFrame {
    id: dialog
    title: ProfileScreen.profileLang[ProfileScreen.TitleText]
    width: 360
    height: 384

    property int menuIndex: -1
    property int editIndex: -1

    signal appRulesRequested()

    // Closes the dialog's own menu and takes a name being typed.
    function profileFocus() {
        menuIndex = -1
        finishRename()
    }

    function finishRename() {
        if (editIndex < 0)
            return
        ProfileScreen.rename(editIndex, editor.text)
        editIndex = -1
    }

    function startRename(index) {
        if (!ProfileScreen.canRename(index))
            return
        menuIndex = -1
        editIndex = index
        editor.begin(ProfileScreen.names[index])
    }

    onVisibleChanged: {
        if (!visible)
            profileFocus()
    }

    // A click beside the list ends renaming and closes the menu.
    MouseArea {
        anchors.fill: parent
        onPressed: dialog.profileFocus()
    }

    Rectangle {
        id: listFrame
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        height: 6 * 40 + 8
        radius: 4
        color: Theme.colorGray0
        border.color: Theme.colorGray1

        ListView {
            id: list
            objectName: "profileEntries"
            anchors.fill: parent
            anchors.margins: 4
            interactive: false
            model: ProfileScreen.names

            delegate: Rectangle {
                id: entry
                required property int index
                required property string modelData
                readonly property bool inUse: index === MainScreen.profileNo
                objectName: "profileEntry" + index
                width: list.width
                height: 40
                radius: 3
                color: index === ProfileScreen.selected ? Theme.chosenColor
                       : entryArea.containsMouse ? Theme.hoverColor : Theme.clear
                border.color: index === ProfileScreen.selected ? Theme.colorOrange : Theme.clear

                Rectangle {
                    id: useMark
                    anchors.left: parent.left
                    anchors.leftMargin: 12
                    anchors.verticalCenter: parent.verticalCenter
                    width: 8
                    height: 8
                    radius: 4
                    color: entry.inUse ? Theme.colorOrange : Theme.colorGray1
                }

                Text {
                    anchors.left: useMark.right
                    anchors.leftMargin: 12
                    anchors.right: parent.right
                    anchors.rightMargin: 12
                    anchors.verticalCenter: parent.verticalCenter
                    visible: dialog.editIndex !== entry.index
                    text: entry.modelData
                    elide: Text.ElideRight
                    color: entry.inUse ? Theme.textColor : Theme.colorGray3
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontMiddleSize
                    font.bold: entry.inUse
                }

                MouseArea {
                    id: entryArea
                    anchors.fill: parent
                    hoverEnabled: true
                    acceptedButtons: Qt.LeftButton | Qt.RightButton
                    onPressed: function(mouse) {
                        if (dialog.editIndex !== entry.index)
                            dialog.finishRename()
                        ProfileScreen.select(entry.index)
                        if (mouse.button === Qt.RightButton) {
                            dialog.menuIndex = entry.index
                            contextMenu.y = listFrame.y + list.y + entry.y + mouse.y
                            contextMenu.x = Math.min(listFrame.width - contextMenu.width, mouse.x)
                        } else {
                            dialog.menuIndex = -1
                        }
                    }
                    onDoubleClicked: dialog.startRename(entry.index)
                }
            }
        }

        // The in-place editor over the entry being renamed.
        NameEditor {
            id: editor
            inputName: "profileNameEditor"
            visible: dialog.editIndex >= 0
            x: list.x + 28
            y: list.y + Math.max(0, dialog.editIndex) * 40 + 6
            width: list.width - 40
            height: 28
            maximumLength: ProfileScreen.maxNameLength
            fontSize: Theme.fontMiddleSize
            onFinished: dialog.finishRename()
            onCancelled: dialog.editIndex = -1
        }
    }

    Text {
        id: noticeText
        objectName: "profileNotice"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: listFrame.bottom
        anchors.topMargin: 10
        visible: text !== ""
        text: ProfileScreen.notice
        wrapMode: Text.WordWrap
        color: Theme.colorOrange
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }

    Row {
        anchors.bottom: parent.bottom
        anchors.horizontalCenter: parent.horizontalCenter
        spacing: 20

        Button {
            objectName: "profileNew"
            width: 96
            height: 32
            enabled: ProfileScreen.canAdd
            textValue: ProfileScreen.profileLang[ProfileScreen.NewText]
            onClicked: {
                dialog.profileFocus()
                ProfileScreen.newProfile()
            }
        }
        Button {
            objectName: "profileImport"
            width: 96
            height: 32
            enabled: ProfileScreen.canAdd
            textValue: ProfileScreen.profileLang[ProfileScreen.ImportText]
            onClicked: {
                dialog.profileFocus()
                ProfileScreen.importProfile()
            }
        }
        Button {
            objectName: "profileAppRules"
            width: 96
            height: 32
            textValue: AppRulesScreen.appRulesLang[AppRulesScreen.OpenText]
            onClicked: {
                dialog.profileFocus()
                dialog.appRulesRequested()
            }
        }
    }

    // Right-click menu of an entry: Delete (not for the first entry nor the profile in use), Export.
    Rectangle {
        id: contextMenu
        objectName: "profileMenu"
        visible: dialog.menuIndex >= 0
        width: 140
        height: menuColumn.height + 8
        radius: 4
        color: Theme.contextMenuColor
        border.color: Theme.colorGray1
        z: 10

        Column {
            id: menuColumn
            x: 4
            y: 4
            width: parent.width - 8

            Repeater {
                model: [
                    { "text": ProfileScreen.profileLang[ProfileScreen.DeleteText], "action": "delete" },
                    { "text": ProfileScreen.profileLang[ProfileScreen.ExportText], "action": "export" }
                ]

                Rectangle {
                    id: menuEntry
                    required property var modelData
                    readonly property bool usable: modelData.action !== "delete"
                                                   || (ProfileScreen.names.length > 0
                                                       && ProfileScreen.canDelete(dialog.menuIndex))
                    objectName: "profileMenu_" + modelData.action
                    width: menuColumn.width
                    height: 30
                    radius: 3
                    color: menuArea.containsMouse && usable ? Theme.colorBlue : Theme.clear

                    Text {
                        anchors.left: parent.left
                        anchors.leftMargin: 10
                        anchors.verticalCenter: parent.verticalCenter
                        text: menuEntry.modelData.text
                        color: menuEntry.usable ? Theme.textColor : Theme.colorGray2
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                    }

                    MouseArea {
                        id: menuArea
                        anchors.fill: parent
                        hoverEnabled: true
                        enabled: menuEntry.usable
                        onClicked: {
                            var index = dialog.menuIndex
                            dialog.menuIndex = -1
                            if (menuEntry.modelData.action === "delete")
                                ProfileScreen.deleteProfile(index)
                            else
                                ProfileScreen.exportProfile(index)
                        }
                    }
                }
            }
        }
    }
}
