pragma ComponentBehavior: Bound

import QtQuick
import QX7

// The help menu under the top menu: the configured address, opened in the desktop's browser, and
// the version; on a desktop without a tray, below them the tray menu's entries.
Rectangle {
    id: helpMenu
    property string url: ""
    property bool isDrop: false
    // The tray menu's entries (text, checkable, checked, separator, available, trigger(row)), or null.
    property var trayEntries: null
    signal linkActivated(string url)

    width: 240
    height: entries.height + 8
    visible: isDrop
    radius: 4
    color: Theme.menuColor
    border.color: Theme.colorGray1
    z: 40

    function closeMenu() {
        isDrop = false
    }

    Column {
        id: entries
        x: 4
        y: 4
        width: parent.width - 8

        Rectangle {
            objectName: "helpUrl"
            width: parent.width
            height: 28
            radius: 3
            color: urlArea.containsMouse ? Theme.chosenColor : Theme.clear
            Text {
                anchors.fill: parent
                anchors.leftMargin: 8
                verticalAlignment: Text.AlignVCenter
                text: helpMenu.url
                elide: Text.ElideRight
                color: urlArea.containsMouse ? Theme.colorOrange : Theme.textColor
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
                font.underline: true
            }
            MouseArea {
                id: urlArea
                anchors.fill: parent
                hoverEnabled: true
                cursorShape: Qt.PointingHandCursor
                onClicked: {
                    helpMenu.closeMenu()
                    helpMenu.linkActivated(helpMenu.url)
                }
            }
        }
        Item {
            width: parent.width
            height: 28
            Text {
                anchors.fill: parent
                anchors.leftMargin: 8
                verticalAlignment: Text.AlignVCenter
                text: MainScreen.versionText
                color: Theme.colorGray2
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontNormalSize
            }
        }
        Rectangle {
            visible: helpMenu.trayEntries !== null
            width: parent.width
            height: 1
            color: Theme.colorGray1
        }
        Repeater {
            model: helpMenu.trayEntries

            Item {
                id: entry
                required property int index
                required property string text
                required property bool checkable
                required property bool checked
                required property bool separator
                required property bool available
                objectName: "trayEntry" + index
                width: entries.width
                height: separator ? 9 : 28

                Rectangle {
                    visible: entry.separator
                    anchors.verticalCenter: parent.verticalCenter
                    width: parent.width
                    height: 1
                    color: Theme.colorGray1
                }
                Rectangle {
                    visible: !entry.separator
                    anchors.fill: parent
                    opacity: entry.available ? 1 : 0.4
                    radius: 3
                    color: entryArea.containsMouse ? Theme.chosenColor : Theme.clear

                    Rectangle {
                        id: mark
                        visible: entry.checkable
                        x: 8
                        anchors.verticalCenter: parent.verticalCenter
                        width: 12
                        height: 12
                        radius: 2
                        color: entry.checked ? Theme.colorOrange : Theme.colorGray0
                        border.width: 1
                        border.color: entry.checked || entryArea.containsMouse ? Theme.colorOrange : Theme.colorGray2

                        // The tick, as the scene's check boxes draw it.
                        Rectangle {
                            visible: entry.checked
                            x: 1.9
                            y: 6.2
                            width: 3.9
                            height: 1.6
                            radius: 0.8
                            antialiasing: true
                            rotation: 45
                            color: Theme.textColor
                        }
                        Rectangle {
                            visible: entry.checked
                            x: 3.6
                            y: 5
                            width: 7
                            height: 1.6
                            radius: 0.8
                            antialiasing: true
                            rotation: -50
                            color: Theme.textColor
                        }
                    }
                    Text {
                        anchors.fill: parent
                        anchors.leftMargin: entry.checkable ? 28 : 8
                        verticalAlignment: Text.AlignVCenter
                        text: entry.text
                        elide: Text.ElideRight
                        color: entryArea.containsMouse ? Theme.colorOrange : Theme.textColor
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                    }
                    MouseArea {
                        id: entryArea
                        anchors.fill: parent
                        enabled: entry.available
                        hoverEnabled: true
                        cursorShape: Qt.PointingHandCursor
                        onClicked: {
                            helpMenu.closeMenu()
                            helpMenu.trayEntries.trigger(entry.index)
                        }
                    }
                }
            }
        }
    }
}
