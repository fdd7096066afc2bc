import QtQuick

Item {
    width: 1024
    height: 640

    Text {
        x: 20
        y: 12
        color: "white"
        font.family: "\u5fae\u8f6f\u96c5\u9ed1"
        font.pixelSize: 14
        text: "QX7 \u914d\u7f6e"
    }
}
