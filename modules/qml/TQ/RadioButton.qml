import QtQuick
import QX7

// A round mark with a label. A click selects it; the owner clears the others of its group.
LabelledMark {
    id: radio

    gapValue: 16
    toggles: false

    Rectangle {
        anchors.fill: parent
        radius: 7
        color: Theme.colorGray0
        border.width: 1
        border.color: radio.isSelect || radio.hovered ? Theme.colorOrange : Theme.colorGray2

        Behavior on border.color {
            ColorAnimation { duration: 120 }
        }

        Rectangle {
            anchors.centerIn: parent
            width: 8
            height: 8
            radius: 4
            color: Theme.colorOrange
            scale: radio.isSelect ? 1 : 0

            Behavior on scale {
                NumberAnimation { duration: 120; easing.type: Easing.OutBack }
            }
        }
    }
}
