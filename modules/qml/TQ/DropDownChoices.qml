import QtQuick
import QX7

// A drop-down whose popup offers texts to choose from (a list or a grid).
DropDownField {
    id: dropDown

    property ListModel mdItems: ListModel {}
    property int currentSelect: -1
    property int entryHeight: 24
    // Entries with an empty text keep their place but are no choices.
    property bool emptyIsGap: false

    // Replaces the entries with the given texts.
    function setTexts(texts) {
        mdItems.clear()
        for (var i = 0; i < texts.length; ++i)
            mdItems.append({ "textValue": String(texts[i]) })
        showSelected()
    }

    function choose(index) {
        if (index < 0 || index >= mdItems.count || (emptyIsGap && mdItems.get(index).textValue === ""))
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

    onCurrentSelectChanged: showSelected()

    Connections {
        target: dropDown.mdItems
        function onCountChanged() { dropDown.showSelected() }
        function onDataChanged() { dropDown.showSelected() }
    }
}
