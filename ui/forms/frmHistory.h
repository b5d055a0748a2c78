#pragma once

#include "FixedDialog.h"
#include "SkinHistory.h"

#include <vector>

class QLabel;
class QPushButton;

class QTreeWidget;

// The skin history: the active skin files that applies replaced, newest
// first, each with its time, its skin's name and that skin's preview.
// "Вернуть" closes it accepted, with the entry to put back.
class frmHistory : public FixedDialog
{
    Q_OBJECT

public:
    frmHistory();

    // The entry selected; none when the history is empty.
    const HistoryEntry *chosen() const;

private:
    void showSelectedEntry();

    std::vector<HistoryEntry> entries_;
    QTreeWidget *entryList_;
    QLabel *preview_;
    QPushButton *returnButton_;
};
