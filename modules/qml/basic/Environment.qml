import QtQuick

// The background, the title bar and the title logo.
Item {
    width: 1024
    height: 640

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
