#include "FileIdentity.h"
#include "UnixSupport.h"

namespace platform {

bool isSameFile(const std::filesystem::path &first, const std::filesystem::path &second)
{
    struct stat a;
    struct stat b;
    return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 &&
           posix::sameFile(a, b);
}

std::optional<FileVersion> fileVersion(const std::filesystem::path &path)
{
    struct stat status;
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    // The change time moves at every write and every change of the file's
    // status, where the modification time can be set back.
    return FileVersion{
        std::uint64_t(status.st_dev), std::uint64_t(status.st_ino), std::uint64_t(status.st_size),
        std::int64_t(status.st_ctim.tv_sec) * 1'000'000'000 + status.st_ctim.tv_nsec};
}

} // namespace platform
