#include "Messages.h"

#include "AppInfo.h"
#include "ConsoleOutput.h"
#include "ModalWindows.h"
#include "WindowConventions.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace {

QMessageBox::Icon boxIcon(UserInterface::Icon icon)
{
    switch (icon) {
    case UserInterface::Icon::Information:
        return QMessageBox::Information;
    case UserInterface::Icon::Warning:
        return QMessageBox::Warning;
    case UserInterface::Icon::Critical:
        return QMessageBox::Critical;
    case UserInterface::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// A box sized to a short text would cut its caption in the title bar.
void fitCaption(QMessageBox &box)
{
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(
            new QSpacerItem(WidthForCaption(box), 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
            grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace

void ShowMessage(QWidget *parent, const QString &text, UserInterface::Icon icon,
                 const QString &caption)
{
    if (!ModalWindowsEnded()) {
        QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Ok, parent);
        fitCaption(box);
        ShowModal(box);
    }
    // The program ends, before the box or while it was open: the text goes
    // where the session keeps what nobody is left to read.
    if (ModalWindowsEnded())
        PrintLine(stderr, text);
}

bool AskYesNo(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Question, kApplicationTitle, text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    fitCaption(box);
    return ShowModal(box) == QMessageBox::Yes;
}

void ShowFileError(QWidget *parent, const FileError &error)
{
    ShowMessage(parent, FileErrorText(error), UserInterface::Icon::Critical, kApplicationTitle);
}
