#pragma once

#include "FileError.h"
#include "UserInterface.h"

class QWidget;

// Every message box of the program: modal, a single OK button.
void ShowMessage(QWidget *parent, const QString &text, UserInterface::Icon icon,
                 const QString &caption);

// A question with the buttons "Да" and "Нет"; true for "Да".
bool AskYesNo(QWidget *parent, const QString &text);

// The one place a failed file or platform operation is shown: its path and the reason.
void ShowFileError(QWidget *parent, const FileError &error);
