#include "platform/FileReplace.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {
// Whether the data of the file (or folder) at path has reached the disk.
bool synced(const QString &path)
{
    const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = fsync(fd) == 0;
    const int error = errno;
    close(fd);
    errno = error;
    return ok;
}
} // namespace

Status replaceFile(const QString &from, const QString &to)
{
    // The new bytes reach the disk before the name points at them, so a crash
    // leaves the old file or the new one, never an empty one.
    if (!synced(from))
        return FileError{from, qt_error_string(errno)};
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return FileError{to, qt_error_string(errno)};
    synced(QFileInfo(to).absolutePath()); // the rename itself; the file is already in place
    return std::nullopt;
}

} // namespace platform
