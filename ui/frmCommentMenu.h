#pragma once

#include "FixedDialog.h"

#include <functional>

class QPlainTextEdit;

// The description editor: the user opens any file, edits the description stored
// in it and saves the text back into the same file.
class frmCommentMenu : public FixedDialog
{
    Q_OBJECT

public:
    // Asks the user for the file to open, on top of parent; empty when cancelled.
    using FileChooser = std::function<QString(QWidget *parent)>;

    frmCommentMenu();

    // The platform's file chooser; tests answer in its place.
    FileChooser chooseFile;

private:
    void btnOpenClicked();
    void BtnSaveClicked();

    // The file opened last in this showing; empty until the first open.
    QString FilenameA;

    QPlainTextEdit *Text1;
    QLabel *Label1;
};
