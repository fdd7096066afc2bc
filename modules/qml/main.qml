import QtQuick
import QX7

// The whole surface of the program. The backend objects ui_View, ui_Ctl and hid are published only
// after the scene is created, so the root starts hidden and does its work in initUI().
Item {
    id: mainIten
    width: 1024
    height: 640
    visible: false

    property string language: "ChineseSimplified"
    property string url: "https://www.example.com/qx7"
    property bool isColorful: false
    property bool isGun: true
    property string icType: "553"
    property bool is55328: false
    property bool isPownOn: false
    property bool initProfile: true
    property bool isScrollRateFocus: false
    property int skin_No: 1
    property int keyCount: 8
    property int profileNo: 0
    // Index of the stage the mouse is using; -1 shows none.
    property int currentDPI: -1
    property var mainLang: ["Editor", "Macro Editor", "Gun Editor", "Report Rate", "Config", "Reset",
        "Reset factory setting", "Cancel", "OK", "System setting", "Save", "", "", "", ""]
    property var langLists: ({})
    // Calls seen, for diagnostics and tests.
    property int initCount: 0
    property int runCount: 0

    signal msg_KB(bool isDown, int usbCode)
    signal msg_MS(bool isDown, int buttonCode, int x, int y)
    signal emptyAreaPressed()

    function imagePath(group, file) {
        return "qrc:/" + group + "/modules/img/skin" + skin_No + "/" + group + "/" + file
    }

    function initUI() {
        setProtectUI(1000)
        mainIten.visible = true
        initCount += 1
        if (!isPownOn) {
            isColorful = String(ui_View.getGlobalData("mouse/isColorful")) === "true"
            icType = String(ui_View.getGlobalData("mouse/icType"))
            is55328 = String(ui_View.getGlobalData("mouse/is55328")) === "true"
            isGun = String(ui_View.getGlobalData("mouse/isGun")) === "true"
            keyCount = parseInt(ui_View.getGlobalData("mouse/keyCount")) || 8
            var lang = ui_View.getGlobalData("common/language")
            if (lang !== undefined)
                language = String(lang)
            var address = ui_View.getGlobalData("common/url")
            if (address !== undefined)
                url = String(address)
            if (icType === "560") {
                var profile = ui_View.mouseReadCurrentProfile()
                if (profile !== 1)
                    hid.hid560_02H_SetCurrentProfile(1)
            }
            var groups = ["main", "keyMatrix", "keyAssigment", "dpiSetting", "lightControl", "macroEditor",
                          "systemSetting", "gunControl", "profile", "keyCode"]
            var lists = {}
            for (var i = 0; i < groups.length; ++i)
                lists[groups[i]] = ui_View.getLangStrings(groups[i], language)
            langLists = lists
            if (lists["main"].length > 0)
                mainLang = lists["main"]
            // Fills the tray's DPI texts; the list itself is not shown.
            ui_View.getLangStrings("other", language)
            profileNo = parseInt(ui_View.getGlobalData("mouse/profileNo")) || 0
            ui_View.setCurrentProfile(profileNo)
            isPownOn = true
        }
        currentDPI = ui_View.mouseGetCurrentDPI() - 1
    }

    function run() {
        runCount += 1
    }

    function setProtectUI(interval) {
        busy.setBusy(true)
        ui_View.setEnabled(false)
        guardTimer.interval = interval > 0 ? interval : 1000
        guardTimer.restart()
    }

    function controlUIEnable(isEnable) {
        busy.setBusy(!isEnable)
        ui_View.setEnabled(isEnable)
    }

    function setCurrentDPI(dpiValue) {
        if (dpiValue !== 0)
            currentDPI = dpiValue - 1
    }

    function detectKeyboard(isDown, usbCode) {
        msg_KB(isDown, usbCode)
    }

    function detectMouse(isDown, buttonCode, x, y) {
        msg_MS(isDown, buttonCode, x, y)
    }

    function mainFocus() {
    }

    function askMenuCmd(cmd) {
    }

    Timer {
        id: guardTimer
        interval: 1000
        onTriggered: {
            ui_View.setEnabled(true)
            busy.setBusy(false)
            if (powerOn.visible) {
                powerOn.visible = false
                environment.visible = true
            }
        }
    }

    // Dragging an empty part of the scene drags the window.
    MouseArea {
        id: dragArea
        anchors.fill: parent
        property point pressPoint
        onPressed: function(mouse) {
            pressPoint = Qt.point(mouse.x, mouse.y)
            mainIten.emptyAreaPressed()
            mainIten.mainFocus()
        }
        onPositionChanged: function(mouse) {
            if (!pressed)
                return
            ui_Ctl.onXChanged(mouse.x - pressPoint.x)
            ui_Ctl.onYChanged(mouse.y - pressPoint.y)
        }
    }

    Image {
        id: powerOn
        anchors.centerIn: parent
        source: imagePath("index", "powerOn.png")
    }

    Environment {
        id: environment
        visible: false
    }

    BusyIndicator {
        id: busy
        objectName: "busyIndicator"
        anchors.centerIn: parent
        z: 100
    }
}
