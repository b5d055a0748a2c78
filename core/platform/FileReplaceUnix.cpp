#include "platform/FileReplace.h"

#include <QFile>

#include <cerrno>
#include <cstdio>

namespace platform {

Status replaceFile(const QString &from, const QString &to)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return FileError{to, qt_error_string(errno)};
    return std::nullopt;
}

} // namespace platform
