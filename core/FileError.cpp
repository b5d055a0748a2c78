#include "FileError.h"

#include <QDir>

QString FileErrorText(const FileError &error)
{
    return QStringLiteral("Не удаётся обратиться к %1:\n%2.")
        .arg(QDir::toNativeSeparators(error.path), error.reason);
}
