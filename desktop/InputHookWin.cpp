#include "InputHook.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

#include <windows.h>

namespace {

InputHook::CopyDataCallback s_copyDataCallback = nullptr;
void* s_copyDataContext = nullptr;

class CopyDataFilter : public QAbstractNativeEventFilter
{
public:
    bool nativeEventFilter(const QByteArray&, void* message, qintptr* result) override
    {
        intptr_t handled = 0;
        if (!InputHook::copyDataFilter(message, &handled)) {
            return false;
        }
        *result = handled;
        return true;
    }
};

} // namespace

void InputHook::setCopyDataCallback(CopyDataCallback function, QCoreApplication* application, void* context)
{
    s_copyDataCallback = function;
    s_copyDataContext = context;
    static CopyDataFilter filter;
    if (application) {
        application->removeNativeEventFilter(&filter);
        application->installNativeEventFilter(&filter);
    }
}

bool InputHook::copyDataFilter(void* message, intptr_t* result)
{
    const auto* msg = static_cast<const MSG*>(message);
    if (!msg || msg->message != WM_COPYDATA || !s_copyDataCallback) {
        return false;
    }
    s_copyDataCallback(reinterpret_cast<const void*>(msg->lParam), s_copyDataContext);
    *result = 1;
    return true;
}
