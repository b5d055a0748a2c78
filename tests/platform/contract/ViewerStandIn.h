#pragma once

// A stand-in viewer on the display for as long as this lives: tools/demo_viewer
// on Unix, tools/win32_viewer on Windows. Both take the same arguments:
//   --title TEXT       the window's title, "Kelvora" unless given
//   --refuse-close     requests to close are ignored
//   --close-delay MS   the program ends this long after a request to close
//   --report FILE      appends "window ID process PID iconic|normal" once the
//                      window is shown, and "close requested" at each request

#include "TempFolder.h"

#include "platform/WindowServices.h"

#include <string>
#include <vector>

class ViewerStandIn
{
public:
    // Started as the program starts the viewer, through startProgram; returns
    // once the window is shown, or after a bound that only keeps a failing test
    // from hanging (then window is 0).
    explicit ViewerStandIn(std::vector<std::string> arguments = {});
    // Ends the program if it still runs, and waits until it has.
    ~ViewerStandIn();
    ViewerStandIn(const ViewerStandIn &) = delete;
    ViewerStandIn &operator=(const ViewerStandIn &) = delete;

    platform::WindowHandle window = 0;
    platform::ProcessId process = 0;
    bool startedIconic = false;

    // Whether the program has said that a request to close reached it.
    bool closeRequested() const;
    bool hasEnded() const;

private:
    TempFolder folder_;
    fs::path report_;
};
