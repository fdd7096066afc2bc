import QtQuick
import QX7

// A 10 x 6 chevron drawn with two bars; points up while `open`.
Item {
    id: arrow
    property bool open: false
    property color color: Theme.colorGray3
    width: 10
    height: 6
    rotation: open ? 180 : 0

    Behavior on rotation {
        NumberAnimation { duration: 120 }
    }

    Rectangle {
        x: 0
        y: 2
        width: 6.4
        height: 1.6
        radius: 0.8
        antialiasing: true
        color: arrow.color
        rotation: 40
    }
    Rectangle {
        x: 3.6
        y: 2
        width: 6.4
        height: 1.6
        radius: 0.8
        antialiasing: true
        color: arrow.color
        rotation: -40
    }
}
