#include "Messages.h"

#include "AppInfo.h"

#include <QDir>
#include <QMessageBox>

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
} // namespace

void ShowMessage(QWidget *parent, const QString &text, UserInterface::Icon icon,
                 const QString &caption)
{
    QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Ok, parent);
    box.exec();
}

void ShowFileError(QWidget *parent, const FileError &error)
{
    ShowMessage(parent,
                QStringLiteral("Не удаётся обратиться к %1:\n%2.")
                    .arg(QDir::toNativeSeparators(error.path), error.reason),
                UserInterface::Icon::Critical, kApplicationTitle);
}
