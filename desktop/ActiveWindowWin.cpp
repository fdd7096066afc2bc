#include "ActiveWindow.h"

#include <windows.h>

namespace {

constexpr int TextLength = 512;

// The foreground-window hook is process-wide; the one source receives its events.
class ActiveWindowWin;
ActiveWindowWin* hookTarget = nullptr;

class ActiveWindowWin : public ActiveWindow
{
public:
    ActiveWindowWin()
    {
        hookTarget = this;
        // Out of context: the system posts each event to this (GUI) thread's message loop.
        m_hook = SetWinEventHook(EVENT_SYSTEM_FOREGROUND,
                                 EVENT_SYSTEM_FOREGROUND,
                                 nullptr,
                                 &ActiveWindowWin::onEvent,
                                 0,
                                 0,
                                 WINEVENT_OUTOFCONTEXT);
        m_current = describe(GetForegroundWindow());
    }

    ~ActiveWindowWin() override
    {
        if (m_hook) {
            UnhookWinEvent(m_hook);
        }
        hookTarget = nullptr;
    }

    bool watching() const { return m_hook != nullptr; }

    Info current() const override { return m_current; }

    QStringList runningApplications() const override
    {
        QStringList names;
        EnumWindows(&ActiveWindowWin::addWindow, reinterpret_cast<LPARAM>(&names));
        return names;
    }

private:
    static Info describe(HWND window)
    {
        Info info;
        if (!window) {
            return info;
        }
        wchar_t text[TextLength] = {};
        if (GetClassNameW(window, text, TextLength) > 0) {
            info.windowClass = QString::fromWCharArray(text);
        }
        text[0] = 0;
        if (GetWindowTextW(window, text, TextLength) > 0) {
            info.title = QString::fromWCharArray(text);
        }
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        info.pid = pid;
        if (HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid)) {
            wchar_t path[MAX_PATH] = {};
            DWORD length = MAX_PATH;
            if (QueryFullProcessImageNameW(process, 0, path, &length)) {
                info.application = applicationName(QString::fromWCharArray(path, int(length)), QString());
            }
            CloseHandle(process);
        }
        return info;
    }

    static void CALLBACK onEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD, DWORD)
    {
        if (event != EVENT_SYSTEM_FOREGROUND || object != OBJID_WINDOW || !hookTarget) {
            return;
        }
        hookTarget->m_current = describe(window);
        emit hookTarget->changed();
    }

    static BOOL CALLBACK addWindow(HWND window, LPARAM list)
    {
        if (IsWindowVisible(window) && !GetWindow(window, GW_OWNER)) {
            const QString name = describe(window).application;
            auto* names = reinterpret_cast<QStringList*>(list);
            if (!name.isEmpty() && !names->contains(name)) {
                names->append(name);
            }
        }
        return TRUE;
    }

    HWINEVENTHOOK m_hook = nullptr;
    Info m_current;
};

} // namespace

std::unique_ptr<ActiveWindow> ActiveWindow::create()
{
    auto source = std::make_unique<ActiveWindowWin>();
    if (!source->watching()) {
        return nullptr;
    }
    return source;
}
