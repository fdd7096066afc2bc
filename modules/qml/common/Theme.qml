pragma Singleton
import QtQuick

// Colours, fonts and the scene's image paths, shared by every screen.
QtObject {
    readonly property int fontMinSize: 10
    readonly property int fontNormalSize: 12
    readonly property int fontMiddleSize: 14
    readonly property int fontMaxSize: 16
    readonly property color textColor: "#ffffff"
    readonly property color colorGray0: "#1a1a1a"
    readonly property color colorGray1: "#3c3c3c"
    readonly property color colorGray2: "#969696"
    readonly property color colorGray3: "#d1d1d1"
    readonly property color colorBlue: "#09347f"
    readonly property color colorOrange: "#cf3e00"
    readonly property color colorBlack: "black"
    // What a row or frame is where nothing is drawn.
    readonly property color clear: "transparent"
    // Panels and fields drawn over the background.
    readonly property color panelColor: "#cc1f1f1f"
    readonly property color fieldColor: "#262626"
    // Dialogs, menus and the notice over the scene, and the veil behind an open dialog.
    readonly property color dialogColor: "#f21c1c1c"
    readonly property color opaqueDialogColor: "#1c1c1c"
    readonly property color menuColor: "#f2262626"
    readonly property color contextMenuColor: "#2b2b2b"
    readonly property color popupColor: "#1f1f1f"
    readonly property color busyColor: "#e01a1a1a"
    readonly property color veilColor: "#99000000"
    readonly property color shadowColor: "#000000"
    // Rows: the chosen one tinted orange, the selected one brown, the one under the mouse lighter.
    readonly property color chosenColor: "#33cf3e00"
    readonly property color selectedColor: "#3a2418"
    readonly property color hoverColor: "#1fffffff"
    readonly property color groupHoverColor: "#2a2a2a"
    // Buttons: a top-to-bottom gradient in each state.
    readonly property color buttonBorder: "#4a4a4a"
    readonly property color buttonTop: "#3e3e3e"
    readonly property color buttonBottom: "#292929"
    readonly property color buttonHoverTop: "#4a4a4a"
    readonly property color buttonHoverBottom: "#333333"
    readonly property color buttonPressedTop: "#a83200"
    readonly property color markColor: "#2f2f2f"
    // Sliders: the sunken track and value fields, the marks, the knob.
    readonly property color trackColor: "#141414"
    readonly property color trackBorder: "#3a3a3a"
    readonly property color scaleMark: "#5a5a5a"
    readonly property color knobBorder: "#0d0d0d"
    readonly property color knobBottom: "#b4b4b4"
    readonly property color dimOrange: "#9a3a10"
    // Recording.
    readonly property color recordBorder: "#c62828"
    readonly property color recordDot: "#e53935"
    // Lighting: the labels of the red, green and blue fields and the hue bar's stops.
    readonly property color redLabel: "#ff6a6a"
    readonly property color greenLabel: "#6aff8a"
    readonly property color blueLabel: "#6fb4ff"
    readonly property var hues: ["#ff0000", "#ffff00", "#00ff00", "#00ffff", "#0000ff", "#ff00ff", "#ff0000"]
    // The family the scene is designed for; Linux falls back to the desktop's CJK font.
    readonly property string fontFamily: "\u5fae\u8f6f\u96c5\u9ed1"
    readonly property int sceneWidth: 1024
    readonly property int sceneHeight: 640
    property int skin_No: 1

    function imagePath(group, file) {
        return "qrc:/" + group + "/modules/img/skin" + skin_No + "/" + group + "/" + file
    }
}
