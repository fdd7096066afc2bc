pragma ComponentBehavior: Bound

import QtQuick
import QX7

// A field showing the selected entry; a click drops the list of entries below it. Opening one
// list leaves the others open: the scene closes them through closeMenu().
Item {
    id: dropDown

    property bool isDrop: false
    property ListModel mdItems: ListModel {}
    // Entries as plain texts, for lists the screens' objects provide.
    property var textList
    // Entries shown: the first `count` of mdItems.
    property int count: mdItems.count
    property int currentSelect: -1
    property string textValue: ""
    property color borderColor: Theme.colorGray1
    property color bgColor: Theme.colorGray0
    property real horizontalOffset: 0
    property int entryHeight: 24
    // Longer lists scroll.
    property int maxVisible: 8
    // Stacking order while the list is out, so it covers the items beside the field.
    property real dropZ: 100
    readonly property int dropDuration: Math.max(0, 180 - 10 * count)

    signal btnClick()
    signal valueChange(int index)
    signal dragSignal(bool isDrag)

    function closeMenu() {
        isDrop = false
    }

    // Replaces the entries with the given texts.
    function setTexts(texts) {
        mdItems.clear()
        for (var i = 0; i < texts.length; ++i)
            mdItems.append({ "textValue": String(texts[i]) })
        showSelected()
    }

    function choose(index) {
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
    onTextListChanged: if (textList !== undefined) setTexts(textList)

    Connections {
        target: dropDown.mdItems
        function onCountChanged() { dropDown.showSelected() }
        function onDataChanged() { dropDown.showSelected() }
    }

    Rectangle {
        id: field
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
                // The scene may close every list on btnClick; the click still toggles this one.
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
        readonly property real fullHeight: Math.min(dropDown.count, dropDown.maxVisible) * dropDown.entryHeight + 2
        x: dropDown.horizontalOffset
        y: dropDown.height + 2
        width: dropDown.width
        height: dropDown.isDrop ? fullHeight : 0
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

        ListView {
            id: entries
            anchors.fill: parent
            anchors.margins: 1
            model: dropDown.mdItems
            boundsBehavior: Flickable.StopAtBounds
            interactive: dropDown.count > dropDown.maxVisible
            onMovementStarted: dropDown.dragSignal(true)
            onMovementEnded: dropDown.dragSignal(false)

            delegate: Rectangle {
                id: entry
                required property int index
                required property string textValue
                readonly property bool selected: index === dropDown.currentSelect
                objectName: dropDown.objectName + "_entry" + index
                width: entries.width
                height: visible ? dropDown.entryHeight : 0
                visible: index < dropDown.count
                color: entryArea.containsMouse ? Theme.colorOrange : "transparent"

                Rectangle {
                    width: 2
                    height: parent.height - 8
                    anchors.verticalCenter: parent.verticalCenter
                    anchors.left: parent.left
                    anchors.leftMargin: 2
                    color: Theme.colorOrange
                    visible: entry.selected && !entryArea.containsMouse
                }

                Text {
                    anchors.fill: parent
                    anchors.leftMargin: 9
                    anchors.rightMargin: 6
                    verticalAlignment: Text.AlignVCenter
                    text: entry.textValue
                    elide: Text.ElideRight
                    color: entry.selected && !entryArea.containsMouse ? Theme.colorOrange : Theme.textColor
                    font.family: Theme.fontFamily
                    font.pixelSize: Theme.fontNormalSize
                }

                MouseArea {
                    id: entryArea
                    anchors.fill: parent
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onClicked: dropDown.choose(entry.index)
                }
            }
        }

        Rectangle {
            anchors.right: parent.right
            anchors.rightMargin: 2
            y: 1 + entries.visibleArea.yPosition * entries.height
            width: 3
            height: entries.visibleArea.heightRatio * entries.height
            radius: 1.5
            color: Theme.colorGray2
            opacity: entries.moving ? 0.9 : 0.5
            visible: entries.interactive
        }
    }
}
