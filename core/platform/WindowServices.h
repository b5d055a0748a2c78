#pragma once

// The window and process services that closing the viewer needs: find a
// top-level window by its title, ask it to close and wait for the process that
// owns it. One implementation per window system is chosen by the build (X11 or
// Win32). Titles are UTF-8.

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

namespace platform {

// A top-level window; 0 is none.
using WindowHandle = std::uintptr_t;

// The id of a process; 0 is none.
using ProcessId = std::uint32_t;

// The window system's requests to close one of this program's windows, told
// apart among the native events its toolkit hands on: X11's WM_DELETE_WINDOW
// sent to the window or to the hidden leader of its group (which the toolkit
// names as the program, so that a search by title may find it first), and
// Windows' WM_CLOSE.
class CloseRequests
{
public:
    // connection is the toolkit's own connection to the X server (an
    // xcb_connection_t), null where there is none: then no event is one.
    CloseRequests(void *connection, WindowHandle window);

    bool isCloseRequest(const void *nativeEvent) const;

private:
    WindowHandle window_ = 0;
    WindowHandle leader_ = 0;
    std::uint32_t protocols_ = 0;
    std::uint32_t deleteWindow_ = 0;
};

// A process opened for waiting. Null when it could not be opened; the system's
// reference is released when this goes.
class ProcessReference
{
public:
    ProcessReference() = default;
    ProcessReference(ProcessReference &&other) noexcept
        : handle_(std::exchange(other.handle_, std::nullopt))
        , id_(other.id_)
    {}
    ProcessReference &operator=(ProcessReference &&) = delete;
    ~ProcessReference();

    bool isNull() const { return !handle_.has_value(); }

private:
    friend class WindowServices;
    ProcessReference(std::intptr_t handle, ProcessId id)
        : handle_(handle)
        , id_(id)
    {}

    std::optional<std::intptr_t> handle_;
    ProcessId id_ = 0;
};

// A connection to the window system for one sequence of calls. Without one (no
// X server reachable, a pure Wayland session) no window is ever found.
class WindowServices
{
public:
    WindowServices();
    ~WindowServices();
    WindowServices(const WindowServices &) = delete;
    WindowServices &operator=(const WindowServices &) = delete;

    bool connected() const { return connection_ != nullptr; }

    // The first top-level window, in the order the system's search yields them,
    // whose whole title equals title (UTF-8) ignoring letter case; 0 when none.
    WindowHandle findTopLevelWindow(std::string_view title) const;

    // The process that owns the window; 0 when unknown or for window 0.
    ProcessId processIdOf(WindowHandle window) const;

    // Opens the process for waiting only; null for id 0 or when access is refused.
    ProcessReference openProcess(ProcessId id) const;

    // Asks the window to close and returns at once; the owner decides whether
    // it closes. Nothing happens for window 0.
    void postCloseRequest(WindowHandle window) const;

    // Returns when the process has ended or the limit has passed, at once for
    // a null reference. True when the process has ended.
    bool waitForEnd(const ProcessReference &process, std::chrono::milliseconds limit) const;

    // Whether the handle names an existing window.
    bool isWindow(WindowHandle window) const;

private:
    struct Connection;
    std::unique_ptr<Connection> connection_;
};

} // namespace platform
