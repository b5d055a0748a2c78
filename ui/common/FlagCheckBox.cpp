#include "FlagCheckBox.h"

void FlagCheckBox::showFlag(Flag flag)
{
    static constexpr Qt::CheckState kStates[] = {Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked};
    setCheckState(kStates[CheckStateOf(flag)]);
}

QString FlagCheckBox::flagText() const
{
    switch (checkState()) {
    case Qt::Unchecked:
        return QStringLiteral("0");
    case Qt::Checked:
        return QStringLiteral("1");
    case Qt::PartiallyChecked:
        break;
    }
    return QStringLiteral("2");
}

void FlagCheckBox::nextCheckState()
{
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}
