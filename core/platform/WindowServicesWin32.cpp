#include "Win32Support.h"
#include "WindowServices.h"

#include <algorithm>

namespace platform {

struct WindowServices::Connection
{
};

CloseRequests::CloseRequests(void *, WindowHandle window)
    : window_(window)
{}

bool CloseRequests::isCloseRequest(const void *nativeEvent) const
{
    const auto *message = static_cast<const MSG *>(nativeEvent);
    return message->message == WM_CLOSE && reinterpret_cast<WindowHandle>(message->hwnd) == window_;
}

WindowServices::WindowServices()
    : connection_(std::make_unique<Connection>())
{}

WindowServices::~WindowServices() = default;

WindowHandle WindowServices::findTopLevelWindow(std::string_view title) const
{
    // FindWindowW compares the whole title without regard to letter case.
    return reinterpret_cast<WindowHandle>(FindWindowW(nullptr, win32::toUtf16(title).c_str()));
}

ProcessId WindowServices::processIdOf(WindowHandle window) const
{
    DWORD id = 0;
    if (window != 0)
        GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &id);
    return id;
}

ProcessReference WindowServices::openProcess(ProcessId id) const
{
    if (id == 0)
        return {};
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    if (process == nullptr)
        return {};
    return ProcessReference(reinterpret_cast<std::intptr_t>(process), id);
}

void WindowServices::postCloseRequest(WindowHandle window) const
{
    if (window != 0)
        PostMessageA(reinterpret_cast<HWND>(window), WM_CLOSE, 0, 0);
}

bool WindowServices::waitForEnd(const ProcessReference &process,
                                std::chrono::milliseconds limit) const
{
    if (process.isNull())
        return false;
    const auto milliseconds = static_cast<DWORD>(std::max<long long>(limit.count(), 0));
    return WaitForSingleObject(reinterpret_cast<HANDLE>(*process.handle_), milliseconds) ==
           WAIT_OBJECT_0;
}

bool WindowServices::isWindow(WindowHandle window) const
{
    return window != 0 && IsWindow(reinterpret_cast<HWND>(window)) != FALSE;
}

ProcessReference::~ProcessReference()
{
    if (handle_)
        CloseHandle(reinterpret_cast<HANDLE>(*handle_));
}

} // namespace platform
