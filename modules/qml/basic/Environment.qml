import QtQuick
import QX7

// The background image, title bar and title logo. Hidden until the scene is revealed, they are
// decoded beside the start-up rather than in its way; each is drawn by one item only, so none stays
// in the image cache once the scene is given back while the window is hidden.
Item {
    width: Theme.sceneWidth
    height: Theme.sceneHeight

    Image {
        anchors.fill: parent
        asynchronous: !MainScreen.revealed
        cache: false
        source: "qrc:/modules/img/background.png"
    }
    Image {
        id: titleBar
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        asynchronous: !MainScreen.revealed
        cache: false
        source: "qrc:/modules/img/titleBar.png"
    }
    Image {
        anchors.left: parent.left
        anchors.leftMargin: 16
        anchors.verticalCenter: titleBar.verticalCenter
        asynchronous: !MainScreen.revealed
        cache: false
        source: "qrc:/modules/img/titleLogo.png"
    }
}
