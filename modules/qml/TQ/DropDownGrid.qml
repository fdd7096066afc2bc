pragma ComponentBehavior: Bound

import QtQuick
import QX7

// A field that drops a grid of entries below it. Entries with an empty text keep their cell but
// are not choices.
Item {
    id: dropDown

    property bool isDrop: false
    property ListModel mdItems: ListModel {}
    property int currentSelect: -1
    property string textValue: ""
    property color borderColor: Theme.colorGray1
    property color bgColor: Theme.colorGray0
    property real horizontalOffset: 0
    property int columns: 2
    property real gridWidth: width
    property int entryHeight: 24
    property real dropZ: 100
    readonly property int dropDuration: Math.max(0, 180 - 10 * mdItems.count)

    signal btnClick()
    signal valueChange(int index)

    function closeMenu() {
        isDrop = false
    }

    function setTexts(texts) {
        mdItems.clear()
        for (var i = 0; i < texts.length; ++i)
            mdItems.append({ "textValue": String(texts[i]) })
        showSelected()
    }

    function choose(index) {
        if (index < 0 || index >= mdItems.count || mdItems.get(index).textValue === "")
            return
        currentSelect = index
        showSelected()
        isDrop = false
        valueChange(index)
    }

    function showSelected() {
        if (currentSelect >= 0 && currentSelect < mdItems.count)
            textValue = mdItems.get(currentSelect).textValue
    }

    implicitWidth: 120
    implicitHeight: 26
    z: isDrop || popup.height > 0 ? dropZ : 0

    onCurrentSelectChanged: showSelected()

    Connections {
        target: dropDown.mdItems
        function onCountChanged() { dropDown.showSelected() }
        function onDataChanged() { dropDown.showSelected() }
    }

    Rectangle {
        anchors.fill: parent
        radius: 3
        color: fieldArea.pressed ? Qt.darker(dropDown.bgColor, 1.3) : dropDown.bgColor
        border.width: 1
        border.color: dropDown.isDrop || fieldArea.containsMouse ? Theme.colorOrange : dropDown.borderColor

        Behavior on border.color {
            ColorAnimation { duration: 120 }
        }

        Text {
            anchors.left: parent.left
            anchors.leftMargin: 8
            anchors.right: arrow.left
            anchors.rightMargin: 6
            anchors.verticalCenter: parent.verticalCenter
            text: dropDown.textValue
            elide: Text.ElideRight
            color: Theme.textColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
        }

        DropArrow {
            id: arrow
            anchors.right: parent.right
            anchors.rightMargin: 8
            anchors.verticalCenter: parent.verticalCenter
            open: dropDown.isDrop
            color: dropDown.isDrop || fieldArea.containsMouse ? Theme.colorOrange : Theme.colorGray3
        }

        MouseArea {
            id: fieldArea
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: {
                var open = !dropDown.isDrop
                dropDown.btnClick()
                dropDown.isDrop = open
            }
        }
    }

    // A soft shadow under the open popup.
    Rectangle {
        x: popup.x - 1
        y: popup.y + 2
        width: popup.width + 2
        height: popup.height + 3
        radius: 5
        color: "#000000"
        opacity: 0.18
        visible: popup.visible
    }
    Rectangle {
        x: popup.x
        y: popup.y + 1
        width: popup.width
        height: popup.height + 1
        radius: 4
        color: "#000000"
        opacity: 0.3
        visible: popup.visible
    }

    Rectangle {
        id: popup
        readonly property int rows: Math.ceil(dropDown.mdItems.count / Math.max(1, dropDown.columns))
        x: dropDown.horizontalOffset
        y: dropDown.height + 2
        width: dropDown.gridWidth
        height: dropDown.isDrop ? rows * dropDown.entryHeight + 2 : 0
        visible: height > 0
        // While it slides shut it takes no clicks: they belong to what lies below.
        enabled: dropDown.isDrop
        clip: true
        radius: 3
        color: dropDown.bgColor
        border.width: 1
        border.color: Theme.colorGray1

        Behavior on height {
            NumberAnimation { duration: dropDown.dropDuration; easing.type: Easing.OutCubic }
        }

        // Clicks between the entries stay in the popup.
        MouseArea {
            anchors.fill: parent
        }

        Grid {
            id: grid
            x: 1
            y: 1
            columns: Math.max(1, dropDown.columns)

            Repeater {
                model: dropDown.mdItems

                Rectangle {
                    id: cell
                    required property int index
                    required property string textValue
                    readonly property bool choice: textValue !== ""
                    readonly property bool selected: index === dropDown.currentSelect
                    width: (popup.width - 2) / grid.columns
                    height: dropDown.entryHeight
                    color: cellArea.containsMouse ? Theme.colorOrange : "transparent"

                    Rectangle {
                        width: 2
                        height: parent.height - 8
                        anchors.verticalCenter: parent.verticalCenter
                        anchors.left: parent.left
                        anchors.leftMargin: 2
                        color: Theme.colorOrange
                        visible: cell.selected && !cellArea.containsMouse
                    }

                    Text {
                        anchors.fill: parent
                        anchors.leftMargin: 9
                        anchors.rightMargin: 4
                        verticalAlignment: Text.AlignVCenter
                        text: cell.textValue
                        elide: Text.ElideRight
                        color: cell.selected && !cellArea.containsMouse ? Theme.colorOrange : Theme.textColor
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                    }

                    MouseArea {
                        id: cellArea
                        anchors.fill: parent
                        hoverEnabled: cell.choice
                        cursorShape: cell.choice ? Qt.PointingHandCursor : Qt.ArrowCursor
                        onClicked: dropDown.choose(cell.index)
                    }
                }
            }
        }
    }
}
