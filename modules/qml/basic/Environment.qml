import QtQuick
import QX7

// The background image, title bar and title logo.
Item {
    width: Theme.sceneWidth
    height: Theme.sceneHeight

    Image {
        anchors.fill: parent
        source: "qrc:/modules/img/background.png"
    }
    Image {
        id: titleBar
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        source: "qrc:/modules/img/titleBar.png"
    }
    Image {
        anchors.left: parent.left
        anchors.leftMargin: 16
        anchors.verticalCenter: titleBar.verticalCenter
        source: "qrc:/modules/img/titleLogo.png"
    }
}
