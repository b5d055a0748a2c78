#pragma once

#include <QWidget>

class QPushButton;

// What all windows of the program share.

// A fixed border with a close box and neither maximise nor minimise button.
inline constexpr Qt::WindowFlags kFixedBorder = Qt::MSWindowsFixedSizeDialogHint |
                                                Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                Qt::WindowCloseButtonHint;

// Puts the window, at its fixed size, in the middle of its screen.
void CenterOnScreen(QWidget *window);

// No button is a default button: Enter presses a button only while it has the focus.
void PressOnEnter(QPushButton *button);
