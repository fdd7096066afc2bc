import QtQuick

// An area whose drag moves the window. The window system moves it where it can (on some sessions,
// Wayland's, it alone can move a window); elsewhere the window follows the pointer.
MouseArea {
    id: area

    property point pressPoint
    property bool moving: false
    property bool bySystem: false

    // A press on the area, before any drag.
    signal grabbed()

    onPressed: function(mouse) {
        pressPoint = Qt.point(mouse.x, mouse.y)
        moving = false
        bySystem = false
        grabbed()
    }
    onPositionChanged: function(mouse) {
        if (!pressed)
            return
        // qmllint disable unqualified
        if (!moving) {
            moving = true
            bySystem = ui_Ctl.startSystemMove()
        }
        if (!bySystem) {
            ui_Ctl.onXChanged(mouse.x - pressPoint.x)
            ui_Ctl.onYChanged(mouse.y - pressPoint.y)
        }
        // qmllint enable unqualified
    }
}
