#pragma once

#include <functional>

class QDialog;
class QWidget;

// Every modal window of the program (dialogs, message boxes, the file chooser)
// opens through here and runs its own event loop until it closes; returns its
// result code.
int ShowModal(QDialog &dialog);

// The program ends at the window system's request: the modal windows open
// close as cancelled, and from now on none opens to wait for the user.
void EndModalWindows();
bool ModalWindowsEnded();

// The window the user acts in: the modal window open over the others (the
// gallery, the preferences), else main. What an action reports opens over it.
QWidget *WindowActedIn(QWidget *main);

// Tests say beforehand how the modal windows that will open are answered. Each
// window that opens is handed to the first answer waiting, from inside its own
// event loop, and the answer closes it. Nothing waits on a timer.
namespace ModalAnswers {

using Answer = std::function<void(QDialog &)>;

void SetNext(Answer answer);

// Handles a window that opens while no answer waits; without one it stays
// open for the user, as in the program.
void SetFallback(Answer answer);

// How many answers still wait; clears them.
int DropWaiting();

} // namespace ModalAnswers
