pragma ComponentBehavior: Bound

import QtQuick
import QX7

// Profiles that follow the application in front: the switch, the rules "application -> profile",
// the choice for every other application, and what the rules decide now. Opened from the profiles
// dialog.
DialogFrame {
    id: dialog
    title: dialog.lang[AppRulesScreen.TitleText]
    width: 600
    height: 520
    // Opaque: it opens over the profiles dialog.
    color: Theme.opaqueDialogColor

    readonly property var lang: AppRulesScreen.appRulesLang
    readonly property int rowHeight: 44
    // "Leave as is", then the profiles.
    // The rule whose profile is being chosen; one list serves every row, above the scrolled rules.
    property int editRow: -1

    // Closes the dialog's drop-downs.
    function appRulesFocus() {
        runningList.closeMenu()
        otherList.closeMenu()
        rowProfileList.closeMenu()
        editRow = -1
    }

    function chooseProfile(index, profile, field) {
        var open = !(editRow === index && rowProfileList.isDrop)
        appRulesFocus()
        if (!open)
            return
        var at = field.mapToItem(rowProfileList.parent, 0, 0)
        rowProfileList.x = at.x
        rowProfileList.y = at.y
        rowProfileList.currentSelect = profile
        editRow = index
        rowProfileList.isDrop = true
    }

    onVisibleChanged: {
        if (!visible)
            appRulesFocus()
    }

    MouseArea {
        anchors.fill: parent
        onPressed: dialog.appRulesFocus()
    }

    CheckBox {
        id: followBox
        objectName: "appRulesEnabled"
        enabled: AppRulesScreen.available
        opacity: enabled ? 1.0 : 0.45
        textValue: dialog.lang[AppRulesScreen.SwitchText]
        isSelect: AppRulesScreen.enabled
        onBtnClick: AppRulesScreen.setEnabled(isSelect)
    }

    Row {
        id: addRow
        anchors.right: parent.right
        anchors.verticalCenter: followBox.verticalCenter
        spacing: 8
        z: runningList.isDrop ? 20 : 0

        Button {
            objectName: "appRulesAddFront"
            width: 170
            height: 28
            enabled: AppRulesScreen.available && AppRulesScreen.front !== ""
            textValue: AppRulesScreen.front === "" ? dialog.lang[AppRulesScreen.AddFrontText]
                                                   : dialog.lang[AppRulesScreen.AddNamedText].arg(AppRulesScreen.front)
            onClicked: {
                dialog.appRulesFocus()
                AppRulesScreen.addFront()
            }
        }
        DropDownList {
            id: runningList
            objectName: "appRulesRunning"
            width: 170
            height: 28
            enabled: AppRulesScreen.available
            opacity: enabled ? 1.0 : 0.45
            textList: AppRulesScreen.running
            textValue: dialog.lang[AppRulesScreen.AddRunningText]
            onBtnClick: {
                dialog.appRulesFocus()
                AppRulesScreen.refreshRunning()
            }
            onValueChange: function(index) {
                AppRulesScreen.addApplication(AppRulesScreen.running[index])
                currentSelect = -1
                textValue = dialog.lang[AppRulesScreen.AddRunningText]
            }
        }
    }

    Rectangle {
        id: listFrame
        anchors.left: parent.left
        anchors.right: parent.right
        y: 44
        height: header.height + 6 * dialog.rowHeight + 8
        radius: 4
        color: Theme.colorGray0
        border.color: Theme.colorGray1
        z: 10

        Item {
            id: header
            x: 16
            width: parent.width - 32
            height: 30

            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: dialog.lang[AppRulesScreen.ApplicationText]
                color: Theme.colorGray2
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
            }
            Text {
                x: parent.width - 240
                anchors.verticalCenter: parent.verticalCenter
                text: dialog.lang[AppRulesScreen.ProfileText]
                color: Theme.colorGray2
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
            }
            Rectangle {
                anchors.bottom: parent.bottom
                width: parent.width
                height: 1
                color: Theme.colorGray1
            }
        }

        ListView {
            id: ruleRows
            objectName: "appRulesList"
            x: 4
            y: header.height + 4
            width: parent.width - 8
            height: 6 * dialog.rowHeight
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            interactive: contentHeight > height
            model: AppRulesScreen.rules
            onContentYChanged: dialog.appRulesFocus()

            delegate: Rectangle {
                id: row
                required property int index
                required property var modelData
                readonly property string detail: [modelData.windowClass, modelData.title]
                                                 .filter(function(part) { return part !== "" }).join("  \u00b7  ")
                objectName: "appRule" + index
                width: ruleRows.width
                height: dialog.rowHeight
                radius: 3
                color: rowArea.containsMouse ? Theme.hoverColor : Theme.clear

                MouseArea {
                    id: rowArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onPressed: dialog.appRulesFocus()
                }

                Column {
                    anchors.left: parent.left
                    anchors.leftMargin: 12
                    anchors.right: profileField.left
                    anchors.rightMargin: 12
                    anchors.verticalCenter: parent.verticalCenter

                    Text {
                        width: parent.width
                        text: row.modelData.application
                        elide: Text.ElideRight
                        color: row.modelData.application === AppRulesScreen.front ? Theme.textColor
                                                                                    : Theme.colorGray3
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontMiddleSize
                        font.bold: row.modelData.application === AppRulesScreen.front
                    }
                    Text {
                        width: parent.width
                        visible: row.detail !== ""
                        text: row.detail
                        elide: Text.ElideRight
                        color: Theme.colorGray2
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontMinSize
                    }
                }

                // Drawn as the list's field; the list itself opens over it.
                Rectangle {
                    id: profileField
                    objectName: "appRuleProfile" + row.index
                    anchors.right: removeButton.left
                    anchors.rightMargin: 10
                    anchors.verticalCenter: parent.verticalCenter
                    width: 170
                    height: 26
                    radius: 3
                    color: Theme.colorGray0
                    border.width: 1
                    border.color: fieldArea.containsMouse ? Theme.colorOrange : Theme.colorGray1

                    Text {
                        anchors.left: parent.left
                        anchors.leftMargin: 8
                        anchors.right: parent.right
                        anchors.rightMargin: 24
                        anchors.verticalCenter: parent.verticalCenter
                        text: row.modelData.profileName
                        elide: Text.ElideRight
                        color: row.modelData.profile < 0 ? Theme.colorOrange : Theme.textColor
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                    }
                    DropArrow {
                        anchors.right: parent.right
                        anchors.rightMargin: 8
                        anchors.verticalCenter: parent.verticalCenter
                        color: fieldArea.containsMouse ? Theme.colorOrange : Theme.colorGray3
                    }
                    MouseArea {
                        id: fieldArea
                        anchors.fill: parent
                        hoverEnabled: true
                        cursorShape: Qt.PointingHandCursor
                        onClicked: dialog.chooseProfile(row.index, row.modelData.profile, profileField)
                    }
                }

                Button {
                    id: removeButton
                    objectName: "appRuleRemove" + row.index
                    anchors.right: parent.right
                    anchors.rightMargin: 8
                    anchors.verticalCenter: parent.verticalCenter
                    width: 72
                    height: 26
                    textValue: dialog.lang[AppRulesScreen.RemoveText]
                    onClicked: {
                        dialog.appRulesFocus()
                        AppRulesScreen.removeRule(row.index)
                    }
                }
            }
        }

        Text {
            anchors.centerIn: parent
            visible: ruleRows.count === 0
            width: parent.width - 64
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            text: dialog.lang[AppRulesScreen.EmptyText]
            color: Theme.colorGray2
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
        }
    }

    Item {
        id: otherRow
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: listFrame.bottom
        anchors.topMargin: 12
        height: 28
        z: otherList.isDrop ? 20 : 0

        Text {
            x: 16
            anchors.verticalCenter: parent.verticalCenter
            text: dialog.lang[AppRulesScreen.OtherText]
            color: Theme.colorGray3
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontMiddleSize
        }
        DropDownList {
            id: otherList
            objectName: "appRulesOther"
            anchors.right: parent.right
            anchors.rightMargin: 94
            anchors.verticalCenter: parent.verticalCenter
            width: 170
            height: 26
            textList: AppRulesScreen.otherChoices
            currentSelect: AppRulesScreen.other + 1
            onBtnClick: dialog.appRulesFocus()
            onValueChange: function(index) { AppRulesScreen.setOther(index - 1) }
        }
    }

    Rectangle {
        id: decisionBar
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        height: 52
        radius: 4
        color: Theme.fieldColor
        border.color: AppRulesScreen.available ? Theme.colorGray1 : Theme.colorOrange

        Rectangle {
            x: 10
            anchors.verticalCenter: parent.verticalCenter
            width: 8
            height: 8
            radius: 4
            color: AppRulesScreen.enabled && AppRulesScreen.available ? Theme.colorOrange : Theme.colorGray1
        }
        Text {
            objectName: "appRulesDecision"
            x: 28
            width: parent.width - 40
            anchors.verticalCenter: parent.verticalCenter
            text: AppRulesScreen.notice !== "" ? AppRulesScreen.notice : AppRulesScreen.decision
            wrapMode: Text.WordWrap
            maximumLineCount: 2
            elide: Text.ElideRight
            color: AppRulesScreen.notice !== "" || !AppRulesScreen.available ? Theme.colorOrange : Theme.colorGray3
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
        }
    }

    DropDownList {
        id: rowProfileList
        objectName: "appRuleProfileList"
        visible: dialog.editRow >= 0
        width: 170
        height: 26
        dropZ: 60
        z: 60
        textList: ProfileScreen.names
        onValueChange: function(index) {
            var rule = dialog.editRow
            dialog.appRulesFocus()
            AppRulesScreen.setRuleProfile(rule, index)
        }
    }
}
