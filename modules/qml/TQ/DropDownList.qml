pragma ComponentBehavior: Bound

import QtQuick
import QX7

// A field showing the selected entry; a click drops the list of entries below it. Opening one
// list leaves the others open: the scene closes them through closeMenu().
DropDownChoices {
    id: dropDown

    // Entries as plain texts, for lists the screens' objects provide.
    property var textList
    // Entries shown: the first `count` of mdItems.
    property int count: mdItems.count
    // Longer lists scroll.
    property int maxVisible: 8

    popupHeight: Math.min(count, maxVisible) * entryHeight + 2
    dropDuration: Math.max(0, 180 - 10 * count)

    onTextListChanged: if (textList !== undefined) setTexts(textList)

    ListView {
        id: entries
        anchors.fill: parent
        anchors.margins: 1
        model: dropDown.mdItems
        boundsBehavior: Flickable.StopAtBounds
        interactive: dropDown.count > dropDown.maxVisible
        onMovementStarted: dropDown.dragSignal(true)
        onMovementEnded: dropDown.dragSignal(false)

        delegate: DropDownEntry {
            required property int index
            required property string textValue
            objectName: dropDown.objectName + "_entry" + index
            width: entries.width
            height: visible ? dropDown.entryHeight : 0
            visible: index < dropDown.count
            text: textValue
            selected: index === dropDown.currentSelect
            onChosen: dropDown.choose(index)
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
