#include "platform/PositionedFile.h"

#include <QFile>

#include <cerrno>
#include <utility>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// Owns a file descriptor; the close is checked by whoever cares.
class Descriptor
{
public:
    explicit Descriptor(int fd)
        : fd(fd)
    {}
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    Descriptor &operator=(Descriptor &&other) noexcept
    {
        std::swap(fd, other.fd);
        return *this;
    }

    int get() const { return fd; }
    bool valid() const { return fd >= 0; }
    bool close() { return ::close(std::exchange(fd, -1)) == 0; }

private:
    int fd;
};

Descriptor openReadWrite(const QByteArray &path)
{
    return Descriptor(::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
}

FileError systemError(const QString &path)
{
    return {path, qt_error_string(errno)};
}

} // namespace

Result<QByteArray> readAt(const QString &path, qint64 offset, qsizetype length)
{
    const QByteArray name = QFile::encodeName(path);
    Descriptor file = openReadWrite(name);
    if (!file.valid())
        file = Descriptor(::open(name.constData(), O_RDONLY | O_CLOEXEC));
    if (!file.valid())
        return Result<QByteArray>{{}, systemError(path)};

    QByteArray bytes(length, Qt::Uninitialized);
    qsizetype got = 0;
    while (got < length) {
        const ssize_t n =
            ::pread(file.get(), bytes.data() + got, size_t(length - got), offset + got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Result<QByteArray>{{}, systemError(path)};
        if (n == 0)
            break;
        got += n;
    }
    bytes.truncate(got);
    return Result<QByteArray>::success(std::move(bytes));
}

Status writeAt(const QString &path, qint64 offset, QByteArrayView bytes)
{
    Descriptor file = openReadWrite(QFile::encodeName(path));
    struct stat before;
    if (!file.valid() || ::fstat(file.get(), &before) != 0)
        return systemError(path);

    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::pwrite(file.get(), bytes.data() + written,
                                   size_t(bytes.size() - written), offset + written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const FileError error =
                n == 0 ? FileError{path, qt_error_string(ENOSPC)} : systemError(path);
            if (::ftruncate(file.get(), before.st_size) != 0) // a partial write must not grow it
                return FileError{path,
                                 error.reason + QStringLiteral("; ") + qt_error_string(errno)};
            return error;
        }
        written += n;
    }
    if (!file.close())
        return systemError(path);
    return std::nullopt;
}

} // namespace platform
