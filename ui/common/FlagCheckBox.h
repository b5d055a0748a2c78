#pragma once

#include "Settings.h"

#include <QCheckBox>

// A check box for a flag setting. It can show the three states a flag may hold,
// 0 clear, 1 checked and 2 grayed, but a click only checks or clears it: a grayed
// box becomes checked.
class FlagCheckBox : public QCheckBox
{
    Q_OBJECT

public:
    using QCheckBox::QCheckBox;

    // Shows the state the flag's copy holds.
    void showFlag(Flag flag);

    // "0", "1" or "2", the state as the setting stores it.
    QString flagText() const;

protected:
    void nextCheckState() override;
};
