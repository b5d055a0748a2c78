#include "PositionedFile.h"
#include "UnixSupport.h"

#include <algorithm>

namespace platform {

using posix::Descriptor;

Result<std::string> readAt(const std::filesystem::path &path, std::uint64_t offset,
                           std::size_t length)
{
    struct stat status;
    Result<Descriptor> file = posix::openRegularFile(path, O_RDONLY, status);
    if (!file.ok())
        return {{}, file.failure};
    // Room for what the file holds there, not for all that was asked.
    const std::uint64_t size = std::uint64_t(status.st_size);
    length = std::size_t(std::min<std::uint64_t>(length, size > offset ? size - offset : 0));

    std::string bytes(length, '\0');
    std::size_t got = 0;
    while (got < length) {
        const ssize_t n =
            ::pread(file.value.get(), bytes.data() + got, length - got, off_t(offset + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return {{}, posix::failureOf(path)};
        if (n == 0)
            break;
        got += std::size_t(n);
    }
    bytes.resize(got);
    return {std::move(bytes), std::nullopt};
}

Status writeAt(const std::filesystem::path &path, std::uint64_t offset, std::string_view bytes)
{
    struct stat before;
    Result<Descriptor> file = posix::openRegularFile(path, O_RDWR | O_CREAT, before);
    if (!file.ok())
        return file.failure;
    const int fd = file.value.get();

    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.data() + written, bytes.size() - written, off_t(offset + written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const Failure failure =
                n == 0 ? Failure{path, FileProblem::writeCutShort} : posix::failureOf(path);
            // A partial write must not leave the file grown; when even that
            // fails, the file is not as it was, which matters more.
            if (::ftruncate(fd, before.st_size) != 0)
                return posix::failureOf(path);
            return failure;
        }
        written += std::size_t(n);
    }
    if (!file.value.close())
        return posix::failureOf(path);
    return std::nullopt;
}

} // namespace platform
