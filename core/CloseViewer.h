#pragma once

#include <chrono>

// How long closing the viewer waits for its process to end. A viewer that
// refuses or hangs must not leave the program unresponsive for good.
inline constexpr std::chrono::milliseconds kViewerWaitLimit = std::chrono::seconds(20);

// Tests shorten the wait; kViewerWaitLimit restores it.
void SetViewerWaitLimitForTesting(std::chrono::milliseconds limit);
