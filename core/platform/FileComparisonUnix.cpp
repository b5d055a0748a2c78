#include "FileComparison.h"
#include "UnixSupport.h"

#include <cstring>
#include <vector>

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
    if (firstStatus.st_dev == secondStatus.st_dev && firstStatus.st_ino == secondStatus.st_ino)
        return {true, std::nullopt}; // one file under two names
    if (firstStatus.st_size != secondStatus.st_size)
        return {false, std::nullopt};
    std::vector<char> pieces(2 * kPiece);
    for (;;) {
        const Result<std::size_t> fromFirst = readPiece(a.value.get(), first, pieces.data());
        if (!fromFirst.ok())
            return {false, fromFirst.failure};
        const Result<std::size_t> fromSecond =
            readPiece(b.value.get(), second, pieces.data() + kPiece);
        if (!fromSecond.ok())
            return {false, fromSecond.failure};
        if (fromFirst.value != fromSecond.value ||
            std::memcmp(pieces.data(), pieces.data() + kPiece, fromFirst.value) != 0)
            return {false, std::nullopt};
        if (fromFirst.value < kPiece)
            return {true, std::nullopt};
    }
}

} // namespace platform
