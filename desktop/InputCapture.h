#ifndef QX7_INPUTCAPTURE_H
#define QX7_INPUTCAPTURE_H

#include <memory>

class InputHook;

// Where key and button events come from on one platform. Each platform layer hands the raw events
// to InputHook::keyboardEvent and InputHook::mouseEvent on the GUI thread.
class InputCapture
{
public:
    enum class Source {
        // The whole desktop where the platform allows it, otherwise the program's own windows.
        Desktop,
        // Only the key and mouse events of the program's own windows; Windows always uses its hooks.
        OwnEvents,
    };

    virtual ~InputCapture() = default;
    virtual void remove() = 0;

    // The platform's capture for the source, already started; null when nothing could be started.
    static std::unique_ptr<InputCapture> start(InputHook& hook, Source source);
};

#endif // QX7_INPUTCAPTURE_H
