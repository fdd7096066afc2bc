pragma ComponentBehavior: Bound

import QtQuick
import QX7

// A field that drops a grid of entries below it. Entries with an empty text keep their cell but
// are not choices.
DropDownChoices {
    id: dropDown

    property int columns: 2
    property real gridWidth: width
    readonly property int rows: Math.ceil(mdItems.count / Math.max(1, columns))

    emptyIsGap: true
    popupWidth: gridWidth
    popupHeight: rows * entryHeight + 2
    dropDuration: Math.max(0, 180 - 10 * mdItems.count)

    Grid {
        id: grid
        x: 1
        y: 1
        columns: Math.max(1, dropDown.columns)

        Repeater {
            model: dropDown.mdItems

            DropDownEntry {
                required property int index
                required property string textValue
                width: (dropDown.gridWidth - 2) / grid.columns
                height: dropDown.entryHeight
                text: textValue
                choice: textValue !== ""
                selected: index === dropDown.currentSelect
                textRightMargin: 4
                onChosen: dropDown.choose(index)
            }
        }
    }
}
