import QtQuick
import QX7

// A field that drops a slider below it; the slider is 16 pixels narrower than the field.
DropDownField {
    id: dropDown

    // Panel behind the slider, its track and its filled part.
    property color sliderBgColor: Theme.colorGray0
    property color sliderbarBg: Theme.trackColor
    property color sliderControl: Theme.colorOrange
    property alias slider: bar

    // Places the knob at a fraction of its travel without emitting valueChange.
    function setValue(ratio) {
        bar.setValue(bar.travelStart + (bar.travelEnd - bar.travelStart) * ratio)
    }

    popupColor: sliderBgColor
    popupHeight: 28

    SliderButton {
        id: bar
        x: 8
        y: 8
        width: dropDown.width - 16
        colorS: dropDown.sliderControl
        trackColor: dropDown.sliderbarBg
        onValueChange: function(position) { dropDown.valueChange(position) }
        onDragSignal: function(isDrag) { dropDown.dragSignal(isDrag) }
    }
}
