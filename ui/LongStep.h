#pragma once

#include <QString>

#include <functional>

class QWidget;

// Runs work on a thread of its own and returns when it is done. Meanwhile the
// windows keep painting but take no input: clicks, keys and close requests are
// dropped, so nothing can start twice. After half a second a window over
// owner says what the program waits for; it cannot be cancelled, as an
// interrupted step could leave a half-made file.
void RunLongStep(QWidget *owner, const QString &waitingFor, const std::function<void()> &work);
