import QtQuick
import QX7

// A question with OK and Cancel (and a third answer when otherText is set), centred in the scene.
Rectangle {
    id: box
    property string title: ""
    property string message: ""
    property string okText: "OK"
    property string cancelText: "Cancel"
    property string otherText: ""
    signal accepted()
    signal rejected()
    signal other()

    width: 427
    height: 102
    x: Math.round((Theme.sceneWidth - width) / 2)
    y: Math.round((Theme.sceneHeight - height) / 2)
    visible: false
    radius: 8
    color: Theme.dialogColor
    border.color: Theme.colorOrange
    z: 60

    MouseArea {
        anchors.fill: parent
    }

    Text {
        id: titleText
        anchors.left: parent.left
        anchors.top: parent.top
        anchors.leftMargin: 16
        anchors.topMargin: 10
        text: box.title
        color: Theme.textColor
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontMiddleSize
        font.bold: true
    }
    Text {
        anchors.left: titleText.left
        anchors.top: titleText.bottom
        anchors.topMargin: 6
        text: box.message
        color: Theme.colorGray3
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontNormalSize
    }
    Row {
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 12
        spacing: 10

        Button {
            objectName: "confirmCancel"
            width: 90
            height: 28
            textValue: box.cancelText
            onClicked: box.rejected()
        }
        Button {
            objectName: "confirmOther"
            visible: box.otherText !== ""
            width: 90
            height: 28
            textValue: box.otherText
            onClicked: box.other()
        }
        Button {
            objectName: "confirmOk"
            width: 90
            height: 28
            textValue: box.okText
            onClicked: box.accepted()
        }
    }
}
