#pragma once

#include <chrono>

class UserInterface;

// How long closing the viewer waits for its process to end. A viewer that
// refuses or hangs must not leave the program unresponsive for good.
inline constexpr std::chrono::milliseconds kViewerWaitLimit = std::chrono::seconds(20);

// Tests shorten the wait; kViewerWaitLimit restores it.
void SetViewerWaitLimitForTesting(std::chrono::milliseconds limit);

// Tells the user that the viewer's window stayed after Module1::CloseViewer;
// returns when the message is dismissed.
void SayViewerStillOpen(UserInterface &ui);
