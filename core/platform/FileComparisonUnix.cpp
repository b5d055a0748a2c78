#include "FileComparison.h"
#include "PieceComparison.h"
#include "UnixSupport.h"

namespace platform {

namespace {

constexpr std::size_t kPiece = 256 * 1024;

// Fills the buffer from the file's position; fewer bytes only at its end.
Result<std::size_t> readPiece(int fd, const std::filesystem::path &path, char *buffer)
{
    std::size_t got = 0;
    while (got < kPiece) {
        const ssize_t n = ::read(fd, buffer + got, kPiece - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return {0, posix::failureOf(path)};
        if (n == 0)
            break;
        got += std::size_t(n);
    }
    return {got, std::nullopt};
}

} // namespace

Result<bool> sameContents(const std::filesystem::path &first, const std::filesystem::path &second)
{
    struct stat firstStatus, secondStatus;
    const Result<posix::Descriptor> a = posix::openRegularFile(first, O_RDONLY, firstStatus);
    if (!a.ok())
        return {false, a.failure};
    const Result<posix::Descriptor> b = posix::openRegularFile(second, O_RDONLY, secondStatus);
    if (!b.ok())
        return {false, b.failure};
    if (posix::sameFile(firstStatus, secondStatus))
        return {true, std::nullopt}; // one file under two names
    if (firstStatus.st_size != secondStatus.st_size)
        return {false, std::nullopt};
    return samePieces(
        kPiece, [&](char *buffer) { return readPiece(a.value.get(), first, buffer); },
        [&](char *buffer) { return readPiece(b.value.get(), second, buffer); });
}

} // namespace platform
