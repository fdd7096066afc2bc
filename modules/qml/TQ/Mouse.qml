pragma ComponentBehavior: Bound

import QtQuick
import QX7

// The picture of the mouse with a spot on each button. The centres match the picture's buttons.
// The spot of the button in the assignment dialog stays lit; a click on the picture itself clears
// that selection.
Item {
    id: mouse
    property int keyCount: MainScreen.keyCount
    // A row hovered in the key matrix lights its button here.
    property int highlightIndex: -1
    readonly property int selectKey: KeyMatrixScreen.selectKey
    signal spotClicked(int index)
    signal pictureClicked()

    width: picture.width
    height: picture.height

    readonly property var spotCentres: [Qt.point(80, 95), Qt.point(220, 95), Qt.point(150, 100), Qt.point(22, 200),
        Qt.point(22, 262), Qt.point(150, 168), Qt.point(150, 200), Qt.point(48, 140)]

    Image {
        id: picture
        // Drawn here only: not kept in the image cache once the scene is given back while the
        // window is hidden.
        cache: false
        source: Theme.imagePath("mouse", "mouse.png")

        MouseArea {
            anchors.fill: parent
            onClicked: {
                KeyMatrixScreen.clearSelection()
                mouse.pictureClicked()
            }
        }
    }

    Repeater {
        model: mouse.spotCentres.length

        Image {
            id: spot
            required property int index
            readonly property bool lit: spotArea.containsMouse || mouse.highlightIndex === index
                                        || mouse.selectKey === index
            objectName: "spot" + index
            visible: index < mouse.keyCount
            x: mouse.spotCentres[index].x - width / 2
            y: mouse.spotCentres[index].y - height / 2
            source: Theme.imagePath("mouse", lit ? "spot_hover.png" : "spot.png")

            MouseArea {
                id: spotArea
                anchors.fill: parent
                hoverEnabled: true
                cursorShape: Qt.PointingHandCursor
                onClicked: mouse.spotClicked(spot.index)
            }
        }
    }
}
