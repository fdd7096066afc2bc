import QtQuick
import QX7

// "LOADING ......" fading between full and faint opacity while busy; nothing runs while hidden.
Item {
    id: busyIndicator
    property bool isBusy: false
    width: loadingBox.width
    height: loadingBox.height
    visible: isBusy

    function setBusy(busy) {
        isBusy = busy
    }

    Rectangle {
        id: loadingBox
        width: loadingText.implicitWidth + 48
        height: loadingText.implicitHeight + 24
        radius: 6
        color: Theme.busyColor
        border.color: Theme.colorGray1

        Text {
            id: loadingText
            anchors.centerIn: parent
            text: "LOADING ......"
            color: Theme.textColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontMaxSize
            font.bold: true

            SequentialAnimation on opacity {
                running: busyIndicator.isBusy
                loops: Animation.Infinite
                NumberAnimation { from: 1.0; to: 0.2; duration: 400 }
                NumberAnimation { from: 0.2; to: 1.0; duration: 400 }
            }
        }
    }
}
