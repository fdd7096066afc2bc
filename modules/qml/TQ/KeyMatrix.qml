pragma ComponentBehavior: Bound

import QtQuick
import QX7

// The button rows of the left panel: "Key N" and what the button does, under a header with the
// restore button for the whole matrix. Hovering a row lights the button on the mouse picture;
// clicking it asks for the assignment dialog.
Item {
    id: keyMatrix
    property int hoverIndex: -1
    property int keyCount: MainScreen.keyCount
    signal rowClicked(int index)

    Item {
        id: header
        width: parent.width
        height: 28

        Rectangle {
            id: headerMark
            anchors.verticalCenter: parent.verticalCenter
            width: 3
            height: 14
            color: Theme.colorOrange
        }
        Text {
            anchors.left: headerMark.right
            anchors.leftMargin: 8
            anchors.verticalCenter: parent.verticalCenter
            width: 64
            text: KeyMatrixScreen.keyMatrixLang[KeyMatrixScreen.KeyText] ?? ""
            color: Theme.colorGray3
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            font.bold: true
        }
        Text {
            anchors.left: parent.left
            anchors.leftMargin: 78
            anchors.right: restoreAll.left
            anchors.verticalCenter: parent.verticalCenter
            text: KeyMatrixScreen.keyMatrixLang[KeyMatrixScreen.KeyFunctionText] ?? ""
            elide: Text.ElideRight
            color: Theme.colorGray3
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
            font.bold: true
        }
        RestoreButton {
            id: restoreAll
            objectName: "restoreAll"
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            reach: 4
            onClicked: KeyMatrixScreen.restoreAll()
        }
    }

    Column {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: header.bottom
        anchors.topMargin: 2
        spacing: 4

        Repeater {
            model: KeyMatrixScreen.rowTitles

            Rectangle {
                id: row
                required property int index
                required property string modelData
                readonly property bool lit: rowArea.containsMouse || KeyMatrixScreen.selectKey === index
                objectName: "keyRow" + index
                width: keyMatrix.width
                height: 28
                radius: 4
                visible: index < keyMatrix.keyCount
                color: lit ? Theme.chosenColor : Theme.fieldColor
                border.color: lit ? Theme.colorOrange : Theme.colorGray1

                Text {
                    anchors.left: parent.left
                    anchors.leftMargin: 10
                    anchors.verticalCenter: parent.verticalCenter
                    width: 64
                    text: row.modelData
                    color: Theme.colorGray2
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                Text {
                    anchors.left: parent.left
                    anchors.leftMargin: 78
                    anchors.right: parent.right
                    anchors.rightMargin: 10
                    anchors.verticalCenter: parent.verticalCenter
                    text: KeyMatrixScreen.keyTexts[row.index] ?? ""
                    elide: Text.ElideRight
                    color: Theme.textColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }
                MouseArea {
                    id: rowArea
                    anchors.fill: parent
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onContainsMouseChanged: keyMatrix.hoverIndex = containsMouse ? row.index : -1
                    onClicked: keyMatrix.rowClicked(row.index)
                }
            }
        }
    }

    // Why a click opened nothing (the only left button keeps its function), under the row clicked,
    // until the next click or a few seconds have passed.
    Rectangle {
        id: notice
        objectName: "keyNotice"
        property int row: 0
        readonly property string text: KeyAssigmentScreen.notice
        visible: text !== ""
        x: 6
        y: header.height + 2 + (row + 1) * 32
        z: 5
        width: keyMatrix.width - 12
        height: noticeText.implicitHeight + 16
        radius: 4
        color: Theme.fieldColor
        border.color: Theme.colorOrange
        onTextChanged: {
            if (text !== "") {
                row = Math.max(keyMatrix.hoverIndex, 0)
                noticeTimer.restart()
            }
        }

        Text {
            id: noticeText
            anchors.fill: parent
            anchors.margins: 8
            text: notice.text
            wrapMode: Text.WordWrap
            color: Theme.textColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
        }
        MouseArea {
            anchors.fill: parent
            onClicked: KeyAssigmentScreen.clearNotice()
        }
        Timer {
            id: noticeTimer
            interval: 6000
            onTriggered: KeyAssigmentScreen.clearNotice()
        }
    }
}
