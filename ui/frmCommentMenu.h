#pragma once

#include "FixedDialog.h"

class QPlainTextEdit;

// The description editor: the user opens any file, edits the description stored
// in it and saves the text back into the same file.
class frmCommentMenu : public FixedDialog
{
    Q_OBJECT

public:
    frmCommentMenu();

private:
    void btnOpenClicked();
    void BtnSaveClicked();

    // The file opened last in this showing; empty until the first open.
    QString FilenameA;

    QPlainTextEdit *Text1;
    QLabel *Label1;
};
