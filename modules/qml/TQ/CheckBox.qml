import QtQuick
import QX7

// A square mark with a label; a click toggles it.
LabelledMark {
    id: check

    property color bgColor: Theme.colorGray0
    property color borderColor: Theme.colorGray2

    Rectangle {
        anchors.fill: parent
        radius: 2
        color: check.isSelect ? Theme.colorOrange : check.bgColor
        border.width: 1
        border.color: check.isSelect || check.hovered ? Theme.colorOrange : check.borderColor

        Behavior on color {
            ColorAnimation { duration: 120 }
        }

        // The tick: a short and a long bar.
        Item {
            anchors.fill: parent
            visible: check.isSelect

            Rectangle {
                x: 2.2
                y: 7.2
                width: 4.6
                height: 1.8
                radius: 0.9
                antialiasing: true
                rotation: 45
                color: Theme.textColor
            }
            Rectangle {
                x: 4.2
                y: 5.8
                width: 8.2
                height: 1.8
                radius: 0.9
                antialiasing: true
                rotation: -50
                color: Theme.textColor
            }
        }
    }
}
