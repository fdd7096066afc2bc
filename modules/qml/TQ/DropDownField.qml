import QtQuick
import QX7

// The field of a drop-down: the chosen text, the arrow and the popup that slides out below it with
// its shadow. What the popup holds is the content of the control built on it.
Item {
    id: dropDown

    property bool isDrop: false
    property string textValue: ""
    property color borderColor: Theme.colorGray1
    property color bgColor: Theme.colorGray0
    property color popupColor: bgColor
    property real horizontalOffset: 0
    property real popupWidth: width
    // The popup's height while it is out.
    property real popupHeight: 0
    property int dropDuration: 180
    // Stacking order while the popup is out, so it covers the items beside the field.
    property real dropZ: 100
    default property alias content: popup.data

    signal btnClick()
    signal valueChange(int index)
    signal dragSignal(bool isDrag)

    function closeMenu() {
        isDrop = false
    }

    implicitWidth: 120
    implicitHeight: 26
    z: isDrop || popup.height > 0 ? dropZ : 0

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
                // The scene may close every popup on btnClick; the click still toggles this one.
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
        color: Theme.shadowColor
        opacity: 0.18
        visible: popup.visible
    }
    Rectangle {
        x: popup.x
        y: popup.y + 1
        width: popup.width
        height: popup.height + 1
        radius: 4
        color: Theme.shadowColor
        opacity: 0.3
        visible: popup.visible
    }

    Rectangle {
        id: popup
        x: dropDown.horizontalOffset
        y: dropDown.height + 2
        width: dropDown.popupWidth
        height: dropDown.isDrop ? dropDown.popupHeight : 0
        visible: height > 0
        // While it slides shut it takes no clicks: they belong to what lies below.
        enabled: dropDown.isDrop
        clip: true
        radius: 3
        color: dropDown.popupColor
        border.width: 1
        border.color: Theme.colorGray1

        Behavior on height {
            NumberAnimation { duration: dropDown.dropDuration; easing.type: Easing.OutCubic }
        }

        // Clicks between the entries stay in the popup.
        MouseArea {
            anchors.fill: parent
        }
    }
}
