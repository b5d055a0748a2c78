#include "Messages.h"

#include "AppInfo.h"
#include "ModalWindows.h"

#include <QDir>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace {

QMessageBox::Icon boxIcon(UserInterface::Icon icon)
{
    switch (icon) {
    case UserInterface::Icon::Information:
        return QMessageBox::Information;
    case UserInterface::Icon::Critical:
        return QMessageBox::Critical;
    case UserInterface::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// A box sized to a short text would cut its caption in the title bar. The
// caption's width in a bold title font, plus room for the close box and the
// frame, is the least width the box gets.
void fitCaption(QMessageBox &box)
{
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + 80;
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace

void ShowMessage(QWidget *parent, const QString &text, UserInterface::Icon icon,
                 const QString &caption)
{
    QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Ok, parent);
    fitCaption(box);
    ShowModal(box);
}

void ShowFileError(QWidget *parent, const FileError &error)
{
    ShowMessage(parent,
                QStringLiteral("Не удаётся обратиться к %1:\n%2.")
                    .arg(QDir::toNativeSeparators(error.path), error.reason),
                UserInterface::Icon::Critical, kApplicationTitle);
}
