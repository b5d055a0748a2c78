#pragma once

// What the Unix files of the layer share: an owned descriptor, opening a
// regular file without ever blocking on a pipe or a device, and paths from the
// environment.

#include "Failure.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace platform::posix {

// Owns a file descriptor; the close is checked by whoever cares.
class Descriptor
{
public:
    explicit Descriptor(int fd = -1)
        : fd_(fd)
    {}
    Descriptor(Descriptor &&other) noexcept
        : fd_(std::exchange(other.fd_, -1))
    {}
    Descriptor &operator=(Descriptor &&other) noexcept
    {
        std::swap(fd_, other.fd_);
        return *this;
    }
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    bool close() { return ::close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};

// An environment variable that names an absolute path, as its bytes; empty
// otherwise, as the base directory standard asks for a relative one to be
// ignored.
inline std::filesystem::path absoluteFromEnvironment(const char *name)
{
    const char *value = std::getenv(name);
    if (!value)
        return {};
    std::filesystem::path path(value);
    return path.is_absolute() ? path : std::filesystem::path();
}

inline Failure failureOf(const std::filesystem::path &path)
{
    return {path, lastSystemError()};
}

// Opens the path with the flags (close-on-exec and non-blocking added, so a
// named pipe cannot keep the open waiting) and fills status. Anything but a
// regular file is a failure.
inline Result<Descriptor> openRegularFile(const std::filesystem::path &path, int flags,
                                          struct stat &status)
{
    Descriptor file(::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0666));
    if (!file.valid() || ::fstat(file.get(), &status) != 0)
        return {Descriptor(), failureOf(path)};
    if (!S_ISREG(status.st_mode))
        return {Descriptor(), Failure{path, FileProblem::notARegularFile}};
    return {std::move(file), std::nullopt};
}

// Whether two statuses are of one file.
inline bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether the name, in folder (AT_FDCWD: a whole path), still leads to the file
// opened, not to a link or to another file put in its place since.
inline bool stillNamed(int folder, const char *name, const struct stat &opened)
{
    struct stat named;
    return ::fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && sameFile(named, opened);
}

} // namespace platform::posix
