pragma ComponentBehavior: Bound

import QtQuick
import QX7

// The button rows of the left panel: "Key N" and what the button does. Hovering a row lights the
// button on the mouse picture; clicking it asks for the assignment dialog.
Item {
    id: keyMatrix
    property int hoverIndex: -1
    property int keyCount: MainScreen.keyCount
    signal rowClicked(int index)

    Column {
        anchors.fill: parent
        spacing: 4

        Repeater {
            model: KeyMatrixScreen.rowTitles

            Rectangle {
                id: row
                required property int index
                required property string modelData
                objectName: "keyRow" + index
                width: keyMatrix.width
                height: 28
                radius: 4
                visible: index < keyMatrix.keyCount
                color: rowArea.containsMouse ? "#33cf3e00" : Theme.fieldColor
                border.color: rowArea.containsMouse ? Theme.colorOrange : Theme.colorGray1

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
}
