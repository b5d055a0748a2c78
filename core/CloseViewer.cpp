#include "CloseViewer.h"

#include "AppInfo.h"
#include "Module1.h"
#include "platform/WindowServices.h"
#include "UserInterface.h"

namespace {

constexpr std::string_view kViewerTitle = "Kelvora";

std::chrono::milliseconds &waitLimit()
{
    static std::chrono::milliseconds limit = kViewerWaitLimit;
    return limit;
}

// Each step goes on when the one before found nothing: no window gives no
// process, and no process gives no wait.
bool viewerStillOpenAfterClosing()
{
    const platform::WindowServices windows;
    const platform::WindowHandle viewer = windows.findTopLevelWindow(kViewerTitle);
    const platform::ProcessReference process = windows.openProcess(windows.processIdOf(viewer));
    windows.postCloseRequest(viewer);
    windows.waitForEnd(process, waitLimit());
    return windows.isWindow(windows.findTopLevelWindow(kViewerTitle));
}

} // namespace

void SetViewerWaitLimitForTesting(std::chrono::milliseconds limit)
{
    waitLimit() = limit;
}

bool Module1::CloseViewer()
{
    bool stillOpen = false;
    CurrentUserInterface()->runLongStep(QStringLiteral("Ожидание закрытия Kelvora…"), [&stillOpen] {
        stillOpen = viewerStillOpenAfterClosing();
    });
    return stillOpen;
}

void SayViewerStillOpen(UserInterface &ui)
{
    ui.showMessage(QStringLiteral("Ошибка закрытия Kelvora."), UserInterface::Icon::None,
                   kApplicationTitle);
}
