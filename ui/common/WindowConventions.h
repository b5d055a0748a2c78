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

// The least width at which a window's title bar shows its whole caption. Title
// bars draw in a bold font of about 10 points and keep room for the icon and
// up to three buttons.
int WidthForCaption(const QWidget &window);

// No button is a default button: Enter presses a button only while it has the focus.
void PressOnEnter(QPushButton *button);
