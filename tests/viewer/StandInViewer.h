#pragma once

#include "platform/WindowServices.h"

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// The stand-in viewer (tools/demo_viewer, or tools/win32_viewer in the Windows
// build) running on the display of the test for as long as this lives.
class StandInViewer
{
public:
    explicit StandInViewer(const QStringList &arguments = {});
    ~StandInViewer();
    StandInViewer(const StandInViewer &) = delete;
    StandInViewer &operator=(const StandInViewer &) = delete;

    // The window that it reported once the X server had it; 0 when it did not
    // report one within a generous bound.
    platform::WindowHandle window() const { return window_; }

    // Whether a search for the title finds its window, waiting as long as a
    // window manager may need to take it on.
    bool isFoundAs(const QString &title);

    bool hasEnded();

    // Ends at once a viewer that the program under test started.
    static void end(platform::ProcessId process);

private:
    // The Win32 stand-in reports its window in a file: a Windows program has
    // no standard output to read.
    QTemporaryDir reportFolder_;
    QProcess process_;
    platform::WindowHandle window_ = 0;
};
