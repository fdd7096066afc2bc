import QtQuick
import QtTest
import QX7

// The test case itself is invisible; the controls go on a visible item so that they take input.
Item {
    id: scene
    width: 400
    height: 300

    TestCase {
        name: "DropDowns"
        when: windowShown

        Component {
            id: listComponent
            DropDownList {
                width: 100
                height: 24
                Component.onCompleted: setTexts(["125Hz", "250Hz", "500Hz", "1000Hz"])
            }
        }
        Component {
            id: gridComponent
            DropDownGrid {
                width: 160
                height: 24
                columns: 2
                Component.onCompleted: setTexts(["Player", "", "Next", "Stop"])
            }
        }
        Component {
            id: sliderComponent
            DropDownSlider {
                width: 100
                height: 24
            }
        }

        SignalSpy {
            id: valueSpy
            signalName: "valueChange"
        }

        function create(kind, x) {
            var components = { list: listComponent, grid: gridComponent, slider: sliderComponent }
            return createTemporaryObject(components[kind], scene, { x: x, y: 10 })
        }

        // The centre of entry `index` of an open list or grid, in the control's coordinates.
        function entryPoint(control, index, columns) {
            var cellWidth = control.width / columns
            return Qt.point((index % columns + 0.5) * cellWidth,
                            control.height + 2 + 1 + (Math.floor(index / columns) + 0.5) * control.entryHeight)
        }

        // The text of the entry that would take a click at (x, y), if any.
        function entryAt(control, x, y) {
            var item = control.childAt(x, y)
            var point = item ? item.mapFromItem(control, x, y) : null
            while (item) {
                if (item.textValue !== undefined)
                    return item.textValue
                var child = item.childAt(point.x, point.y)
                point = child ? child.mapFromItem(item, point.x, point.y) : null
                item = child
            }
            return undefined
        }

        // Waits until the opening list shows entry `index` under the pointer, then clicks it.
        function clickEntry(control, index, columns) {
            var point = entryPoint(control, index, columns)
            var text = control.mdItems.get(index).textValue
            tryVerify(function() { return entryAt(control, point.x, point.y) === text })
            // A list view takes clicks on a newly uncovered entry only after its next layout pass.
            waitForRendering(control)
            mouseClick(control, point.x, point.y)
        }

        // clang-format off
        function test_openingLeavesOthersOpen_data() {
            return [
                { tag: "list, then list",     first: "list",   second: "list" },
                { tag: "list, then grid",     first: "list",   second: "grid" },
                { tag: "grid, then slider",   first: "grid",   second: "slider" },
                { tag: "slider, then list",   first: "slider", second: "list" }
            ]
        }
        // clang-format on

        function test_openingLeavesOthersOpen(data) {
            var first = create(data.first, 10)
            var second = create(data.second, 200)
            mouseClick(first)
            verify(first.isDrop)
            mouseClick(second)
            verify(second.isDrop)
            verify(first.isDrop)
            verify(first.z > 0)
            first.closeMenu()
            verify(!first.isDrop)
            verify(second.isDrop)
        }

        function test_listChoiceSelectsAndCloses() {
            var list = create("list", 10)
            valueSpy.target = list
            valueSpy.clear()
            mouseClick(list)
            clickEntry(list, 2, 1)
            compare(valueSpy.count, 1)
            compare(valueSpy.signalArguments[0][0], 2)
            compare(list.currentSelect, 2)
            compare(list.textValue, "500Hz")
            verify(!list.isDrop)
        }

        // clang-format off
        function test_closingListTakesNoClick_data() {
            return [
                { tag: "list", kind: "list", columns: 1 },
                { tag: "grid", kind: "grid", columns: 2 }
            ]
        }
        // clang-format on

        // A click right after a choice, where the list still slides shut, is not a second choice.
        function test_closingListTakesNoClick(data) {
            var control = create(data.kind, 10)
            valueSpy.target = control
            valueSpy.clear()
            mouseClick(control)
            clickEntry(control, 2, data.columns)
            var point = entryPoint(control, 0, data.columns)
            mouseClick(control, point.x, point.y)
            compare(valueSpy.count, 1)
            compare(control.currentSelect, 2)
        }

        // clang-format off
        function test_gridChoices_data() {
            return [
                { tag: "empty entry",  index: 1, emitted: 0, selected: -1, open: true },
                { tag: "entry after",  index: 2, emitted: 1, selected: 2,  open: false }
            ]
        }
        // clang-format on

        function test_gridChoices(data) {
            var grid = create("grid", 10)
            valueSpy.target = grid
            valueSpy.clear()
            mouseClick(grid)
            clickEntry(grid, data.index, 2)
            compare(valueSpy.count, data.emitted)
            compare(grid.currentSelect, data.selected)
            compare(grid.isDrop, data.open)
        }
    }
}
