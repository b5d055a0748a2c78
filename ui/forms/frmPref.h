#pragma once

#include "FixedDialog.h"

class FlagCheckBox;
class QLineEdit;

// The preferences: shows the copies of the four settings and, on "OK", saves
// what the controls hold.
class frmPref : public FixedDialog
{
    Q_OBJECT

public:
    frmPref();

private:
    void Command1Clicked();

    QLineEdit *Text1;
    FlagCheckBox *Check1;
    FlagCheckBox *Check2;
    FlagCheckBox *Check3;
};
