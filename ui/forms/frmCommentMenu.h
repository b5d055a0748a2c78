#pragma once

#include "FileError.h"
#include "FixedDialog.h"

class QPlainTextEdit;

// The description editor: the user opens any file, edits the description stored
// in it and saves the text back into the same file.
class frmCommentMenu : public FixedDialog
{
    Q_OBJECT

public:
    explicit frmCommentMenu(QWidget *parent = nullptr);

    // Opens the file as "Открыть..." does once it is chosen; a file that
    // cannot be read changes nothing and is the failure.
    [[nodiscard]] Status openFile(const QString &path);

private:
    void btnOpenClicked();
    void BtnSaveClicked();

    // The file opened last in this showing; empty until the first open.
    QString FilenameA;

    QPlainTextEdit *Text1;
    QLabel *Label1;
};
