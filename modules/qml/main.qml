import QtQuick
import QX7

// The whole surface of the program. The rules live in the screens' objects (MainScreen and the
// others); this file lays the panels out, routes input and calls them. The backend calls the
// functions initUI, run, setProtectUI, setCurrentDPI, detectKeyboard and detectMouse by name.
Item {
    id: mainIten
    width: Theme.sceneWidth
    height: Theme.sceneHeight
    visible: false

    readonly property var mainLang: MainScreen.mainLang
    // The five dialogs are made the first time they open (null until then): made at start, hidden,
    // they took more time and memory than the rest of the scene.
    readonly property MacroEditor macroEditor: macroEditorLoader.item as MacroEditor
    readonly property GunControl gunControl: gunControlLoader.item as GunControl
    readonly property SystemSetting systemSetting: systemSettingLoader.item as SystemSetting
    readonly property KeyAssigment keyAssigment: keyAssigmentLoader.item as KeyAssigment
    readonly property Profile profile: profileLoader.item as Profile
    readonly property AppRules appRules: appRulesLoader.item as AppRules
    readonly property bool dialogOpen: shown(macroEditor) || shown(gunControl) || shown(systemSetting)
                                       || shown(keyAssigment) || shown(profile) || shown(appRules)
                                       || resetConfirm.visible || unsavedConfirm.visible

    // The profile that follows the application in front waits while a dialog is open.
    onDialogOpenChanged: AppRulesScreen.setDialogOpen(dialogOpen)

    signal msg_KB(bool isDown, int usbCode)
    signal msg_MS(bool isDown, int buttonCode, int x, int y)
    signal emptyAreaPressed()

    onMsg_KB: function(isDown, usbCode) { MainScreen.routeKeyboard(isDown, usbCode) }

    function initUI() {
        MainScreen.initUI()
        mainIten.visible = true
    }

    function run() {
    }

    function setProtectUI(interval) {
        MainScreen.setProtectUI(interval)
    }

    function controlUIEnable(isEnable) {
        MainScreen.controlUIEnable(isEnable)
    }

    function setCurrentDPI(dpiValue) {
        MainScreen.setCurrentDPI(dpiValue)
    }

    function detectKeyboard(isDown, usbCode) {
        msg_KB(isDown, usbCode)
    }

    function detectMouse(isDown, buttonCode, x, y) {
        msg_MS(isDown, buttonCode, x, y)
    }

    // Closes every drop-down of the main scene.
    function mainFocus() {
        reportRateList.closeMenu()
        dpiSetting.closeMenus()
        topMenu.profileBtn.closeMenu()
        helpMenu.closeMenu()
        lightControl.lightControlFocus()
    }

    // The top menu's buttons: 0 minimise, 1 close, 2 help.
    function askMenuCmd(cmd) {
        switch (cmd) {
        case 0:
            ui_Ctl.onMinimize() // qmllint disable unqualified
            break
        case 1:
            ui_Ctl.onClose() // qmllint disable unqualified
            break
        case 2:
            if (helpMenu.isDrop)
                helpMenu.closeMenu()
            else
                openHelpMenu()
            break
        }
    }

    // Where no tray holds the tray menu, the help menu offers its entries.
    function openHelpMenu() {
        helpMenu.trayEntries = ui_Ctl.windowMenu() // qmllint disable unqualified
        helpMenu.isDrop = true
    }

    function shown(dialog: DialogFrame): bool {
        return dialog !== null && dialog.visible
    }

    // Makes the loader's dialog if it is not there yet.
    function made(loader: Loader): DialogFrame {
        loader.active = true
        return loader.item as DialogFrame
    }

    function openDialog(loader: Loader) {
        mainFocus()
        made(loader).open()
    }

    // A row or a spot asks for the assignment dialog; the only left button keeps its function.
    function openAssignment(index) {
        mainFocus()
        made(keyAssigmentLoader)
        keyAssigment.openButton(index)
    }

    // Opens a screen by name for a screenshot; false for a name the scene does not know.
    function showScreen(name) {
        switch (name) {
        case "main":
            return true
        case "reset":
            resetConfirm.visible = true
            return true
        case "unsaved":
            KeyMatrixScreen.isSave = true
            MainScreen.chooseProfile(MainScreen.profileNo === 0 ? 1 : 0)
            return unsavedConfirm.visible
        case "notice":
            KeyMatrixScreen.isSave = true
            MainScreen.showNotice(MainScreen.SendFailedText)
            return true
        case "help":
            openHelpMenu()
            return true
        case "profiles":
            openDialog(profileLoader)
            return true
        case "apps":
            openDialog(profileLoader)
            made(appRulesLoader).open()
            return true
        case "gun":
            openDialog(gunControlLoader)
            return true
        case "system":
            openDialog(systemSettingLoader)
            return true
        case "assign":
            openAssignment(3)
            KeyAssigmentScreen.page = KeyAssigmentScreen.MacroGroup
            return keyAssigment.visible
        case "macro":
            openDialog(macroEditorLoader)
            return true
        }
        return false
    }

    // Dragging an empty part of the scene drags the window.
    WindowDragArea {
        id: dragArea
        objectName: "dragArea"
        anchors.fill: parent
        onGrabbed: {
            mainIten.emptyAreaPressed()
            mainIten.mainFocus()
        }
    }

    Image {
        id: powerOn
        anchors.centerIn: parent
        visible: !MainScreen.revealed
        // Shown only until the scene is revealed: not kept once it has been.
        cache: false
        source: MainScreen.revealed ? "" : Theme.imagePath("index", "powerOn.png")
    }

    BusyIndicator {
        id: busy
        objectName: "busyIndicator"
        anchors.centerIn: parent
        isBusy: MainScreen.busy
        z: 100
    }

    Environment {
        id: environment
        visible: MainScreen.revealed
        z: -1
    }

    // Left panel: the button rows, the editors, the report rate and the system settings.
    Item {
        id: leftPanel
        visible: MainScreen.revealed
        // An open list lies over the bottom bar as well.
        z: reportRateBox.z
        x: 16
        y: 52
        width: 280
        height: 532

        Panel {
            id: keyPanel
            width: parent.width
            height: 300

            KeyMatrix {
                id: keyMatrix
                objectName: "keyMatrix"
                anchors.fill: parent
                onRowClicked: function(index) { mainIten.openAssignment(index) }
            }
        }

        Panel {
            id: editorBox
            y: 308
            width: parent.width
            height: 84
            title: mainIten.mainLang[MainScreen.EditorText]

            Row {
                spacing: 8
                Button {
                    id: macroEditorButton
                    objectName: "macroEditorButton"
                    width: MainScreen.isGun ? 124 : 256
                    height: 32
                    textValue: mainIten.mainLang[MainScreen.MacroEditorText]
                    onClicked: mainIten.openDialog(macroEditorLoader)
                }
                Button {
                    id: gunEditorButton
                    objectName: "gunEditorButton"
                    visible: MainScreen.isGun
                    width: 124
                    height: 32
                    textValue: mainIten.mainLang[MainScreen.GunEditorText]
                    onClicked: mainIten.openDialog(gunControlLoader)
                }
            }
        }

        Panel {
            id: reportRateBox
            y: 400
            width: parent.width
            height: 84
            title: mainIten.mainLang[MainScreen.ReportRateText]
            z: reportRateList.z > 0 ? 10 : 0

            DropDownList {
                id: reportRateList
                objectName: "reportRateList"
                width: parent.width
                height: 28
                textList: MainScreen.reportRates
                onValueChange: function(index) { MainScreen.chooseReportRate(index) }
            }
            // Kept in step with the profile, also after the user's own choice.
            Binding {
                target: reportRateList
                property: "currentSelect"
                value: MainScreen.reportRateIndex
            }
        }

        Button {
            id: systemSettingButton
            objectName: "systemSettingButton"
            y: 494
            width: parent.width
            height: 36
            textValue: mainIten.mainLang[MainScreen.SystemSettingText]
            onClicked: mainIten.openDialog(systemSettingLoader)
        }
    }

    // Bottom bar.
    Item {
        id: bottomBar
        visible: MainScreen.revealed
        x: 16
        y: 594
        width: 992
        height: 34

        Button {
            id: configButton
            objectName: "configButton"
            width: 120
            height: parent.height
            textValue: mainIten.mainLang[MainScreen.ConfigText]
            onClicked: mainIten.openDialog(profileLoader)
        }
        Row {
            anchors.right: parent.right
            spacing: 12
            Button {
                id: resetButton
                objectName: "resetButton"
                width: 120
                height: bottomBar.height
                textValue: mainIten.mainLang[MainScreen.ResetText]
                onClicked: {
                    mainIten.mainFocus()
                    resetConfirm.visible = true
                }
            }
            Button {
                id: saveButton
                objectName: "saveButton"
                width: 120
                height: bottomBar.height
                textValue: mainIten.mainLang[MainScreen.SaveText]
                marked: MainScreen.hasPendingEdits
                onClicked: {
                    mainIten.mainFocus()
                    MainScreen.save()
                }
            }
        }
    }

    // Right panel: DPI stages and lighting.
    Item {
        id: rightPanel
        visible: MainScreen.revealed
        x: 728
        y: 52
        width: 280
        height: 532

        Panel {
            id: dpiPanel
            width: parent.width
            height: 270
            title: DpiSettingScreen.dpiSettingLang[DpiSettingScreen.TitleText] ?? ""

            DpiSetting {
                id: dpiSetting
                objectName: "dpiSetting"
                anchors.fill: parent
            }
        }
        Panel {
            id: lightPanel
            y: 278
            width: parent.width
            height: 254
            title: LightControlScreen.lightControlLang[LightControlScreen.TitleText] ?? ""

            LightControl {
                id: lightControl
                objectName: "lightControl"
                anchors.fill: parent
            }
        }
    }

    Menu_Up {
        id: topMenu
        objectName: "topMenu"
        visible: MainScreen.revealed
        x: 628
        y: 4
        profileBtn.textList: ProfileScreen.names
        profileBtn.onValueChange: function(index) { MainScreen.chooseProfile(index) }
        onBtnClicked: function(btnIndex) { mainIten.askMenuCmd(btnIndex) }
        z: profileBtn.z > 0 ? 30 : 0
    }

    Binding {
        target: topMenu.profileBtn
        property: "currentSelect"
        value: MainScreen.profileNo
    }

    Mouse {
        id: mousePicture
        objectName: "mousePicture"
        visible: MainScreen.revealed
        x: 310 + (400 - width) / 2
        y: 52 + (532 - height) / 2
        highlightIndex: keyMatrix.hoverIndex
        onSpotClicked: function(index) { mainIten.openAssignment(index) }
    }

    // Shown while a dialog is open: swallows clicks, drags the window, and closes the dialogs'
    // drop-downs.
    Rectangle {
        id: mask
        objectName: "mask"
        anchors.fill: parent
        visible: mainIten.dialogOpen
        color: Theme.veilColor
        z: 45

        WindowDragArea {
            anchors.fill: parent
            onGrabbed: {
                if (mainIten.shown(mainIten.macroEditor))
                    mainIten.macroEditor.macroEditorFocus()
                if (mainIten.shown(mainIten.profile))
                    mainIten.profile.profileFocus()
                if (mainIten.shown(mainIten.appRules))
                    mainIten.appRules.appRulesFocus()
                if (mainIten.shown(mainIten.gunControl))
                    mainIten.gunControl.gunControlFocus()
                if (mainIten.shown(mainIten.systemSetting))
                    mainIten.systemSetting.systemSettingFocus()
                if (mainIten.shown(mainIten.keyAssigment))
                    mainIten.keyAssigment.keyAssigmentFocus()
                lightControl.lightControlFocus()
            }
        }
    }

    // Each loader stands where its dialog stands among the layers, above the mask.
    Loader {
        id: macroEditorLoader
        active: false
        z: 50
        sourceComponent: MacroEditor {
            objectName: "macroEditor"
            onCloseClicked: visible = false
        }
    }
    Loader {
        id: gunControlLoader
        active: false
        z: 50
        sourceComponent: GunControl {
            objectName: "gunControl"
            onCloseClicked: {
                visible = false
                GunControlScreen.close()
            }
        }
    }
    Loader {
        id: systemSettingLoader
        active: false
        z: 50
        sourceComponent: SystemSetting {
            objectName: "systemSetting"
            onCloseClicked: visible = false
        }
    }
    Loader {
        id: keyAssigmentLoader
        active: false
        z: 50
        sourceComponent: KeyAssigment {
            objectName: "keyAssigment"
            onCloseClicked: closeDialog()
        }
    }
    Connections {
        target: mainIten.keyAssigment
        // The macro editor opens over the dialog.
        function onMacroEditorRequested() {
            KeyAssigmentScreen.endCapture()
            macroEditorLoader.z = keyAssigmentLoader.z + 1
            mainIten.made(macroEditorLoader).open()
        }
    }
    Loader {
        id: profileLoader
        active: false
        z: 50
        sourceComponent: Profile {
            objectName: "profile"
        }
    }
    Connections {
        target: mainIten.profile
        function onCloseClicked() {
            mainIten.profile.visible = false
            topMenu.profileBtn.closeMenu()
        }
        // Opens over the profiles dialog.
        function onAppRulesRequested() {
            mainIten.made(appRulesLoader).open()
        }
    }
    Loader {
        id: appRulesLoader
        active: false
        z: 51
        sourceComponent: AppRules {
            objectName: "appRules"
            onCloseClicked: visible = false
        }
    }

    ConfirmBox {
        id: resetConfirm
        objectName: "resetConfirm"
        title: mainIten.mainLang[MainScreen.ResetText]
        message: mainIten.mainLang[MainScreen.ResetFactoryText]
        okText: mainIten.mainLang[MainScreen.OkText]
        cancelText: mainIten.mainLang[MainScreen.CancelText]
        onAccepted: {
            visible = false
            MainScreen.factoryReset()
        }
        onRejected: visible = false
    }

    // Asked when the drop-down chooses another profile while edits are not on the mouse.
    ConfirmBox {
        id: unsavedConfirm
        objectName: "unsavedConfirm"
        visible: MainScreen.askedProfile >= 0
        title: mainIten.mainLang[MainScreen.UnsavedTitleText]
        message: mainIten.mainLang[MainScreen.UnsavedText]
        okText: mainIten.mainLang[MainScreen.SaveText]
        otherText: mainIten.mainLang[MainScreen.DiscardText]
        cancelText: mainIten.mainLang[MainScreen.CancelText]
        onAccepted: MainScreen.answerProfileQuestion(MainScreen.SaveAnswer)
        onOther: MainScreen.answerProfileQuestion(MainScreen.DiscardAnswer)
        onRejected: MainScreen.answerProfileQuestion(MainScreen.CancelAnswer)
    }

    // The flows' messages (a send the mouse did not take, a refused reset or export), above
    // everything, for a few seconds.
    Rectangle {
        id: notice
        objectName: "sceneNotice"
        // In the bottom bar, between Config and Reset; a longer text grows upwards.
        readonly property int room: 600
        x: 446 - width / 2
        y: 628 - height
        width: Math.min(noticeText.implicitWidth + 32, room)
        height: Math.max(34, noticeText.height + 16)
        radius: 6
        color: Theme.dialogColor
        border.color: Theme.colorOrange
        opacity: 0
        visible: opacity > 0
        z: 90

        Behavior on opacity {
            NumberAnimation { duration: 300 }
        }

        Text {
            id: noticeText
            anchors.centerIn: parent
            width: Math.min(implicitWidth, notice.room - 32)
            wrapMode: Text.WordWrap
            horizontalAlignment: Text.AlignHCenter
            color: Theme.textColor
            font.family: Theme.fontFamily
            font.pixelSize: Theme.fontNormalSize
        }

        Timer {
            id: noticeTimer
            interval: 6000
            onTriggered: notice.opacity = 0
        }

        Connections {
            target: MainScreen
            function onNoticeShown(text) {
                noticeText.text = text
                notice.opacity = 1
                noticeTimer.restart()
            }
        }

        MouseArea {
            anchors.fill: parent
            onClicked: notice.opacity = 0
        }
    }

    HelpMenu {
        id: helpMenu
        objectName: "helpMenu"
        x: 1024 - 16 - width
        y: 40
        url: MainScreen.url
        onLinkActivated: function(address) { Qt.openUrlExternally(address) }
    }
}
