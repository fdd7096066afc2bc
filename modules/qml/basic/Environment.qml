import QtQuick
import QX7

// The background image, title bar and title logo. Each is drawn by one item only, so none stays in
// the image cache once the scene is given back while the window is hidden.
Item {
    width: Theme.sceneWidth
    height: Theme.sceneHeight

    Image {
        anchors.fill: parent
        cache: false
        source: "qrc:/modules/img/background.png"
    }
    Image {
        id: titleBar
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        cache: false
        source: "qrc:/modules/img/titleBar.png"
    }
    Image {
        anchors.left: parent.left
        anchors.leftMargin: 16
        anchors.verticalCenter: titleBar.verticalCenter
        cache: false
        source: "qrc:/modules/img/titleLogo.png"
    }
}
