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
    // Panels and fields drawn over the background.
    readonly property color panelColor: "#cc1f1f1f"
    readonly property color fieldColor: "#262626"
    // The family the scene is designed for; Linux falls back to the desktop's CJK font.
    readonly property string fontFamily: "\u5fae\u8f6f\u96c5\u9ed1"
    readonly property int sceneWidth: 1024
    readonly property int sceneHeight: 640
    property int skin_No: 1

    function imagePath(group, file) {
        return "qrc:/" + group + "/modules/img/skin" + skin_No + "/" + group + "/" + file
    }
}
