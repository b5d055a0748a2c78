#pragma once

#include <QString>

#include <functional>

class QObject;
class QWidget;

// Runs work on a thread of its own and returns when it is done. Meanwhile the
// windows keep painting but take no input: clicks, keys, drops and close
// requests are refused, so nothing else can start (the main window keeps the
// window system's close request and closes once the step has ended). After half a second a
// window over owner says what the program waits for; it cannot be cancelled,
// as an interrupted step could leave a half-made file.
void RunLongStep(QWidget *owner, const QString &waitingFor, const std::function<void()> &work);

// Whether a long step runs now.
bool LongStepRunning();

// Runs then from the event loop once no long step runs: at the next turn of
// the loop, or when the running step has ended. Nothing runs once context is
// gone.
void AfterLongStep(QObject *context, std::function<void()> then);
