import QtQuick
import QX7

// "LOADING ......" fading between full and faint opacity while busy.
Item {
    id: busyIndicator
    property bool isBusy: false
    width: loadingText.implicitWidth
    height: loadingText.implicitHeight
    visible: isBusy

    function setBusy(busy) {
        isBusy = busy
    }

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
