import QtQuick
import QX7

// The help menu under the top menu: the configured address, opened in the desktop's browser, and
// the version.
Rectangle {
    id: helpMenu
    property string url: ""
    property bool isDrop: false
    signal linkActivated(string url)

    width: 240
    height: entries.height + 8
    visible: isDrop
    radius: 4
    color: "#f2262626"
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
            color: urlArea.containsMouse ? "#33cf3e00" : "transparent"
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
    }
}
