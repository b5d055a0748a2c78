#include "FileLock.h"
#include "UnixSupport.h"

#include <sys/file.h>

namespace platform {

struct FileLock::Held
{
    posix::Descriptor file;
};

FileLock::FileLock() = default;
FileLock::~FileLock() = default; // closing the descriptor ends the lock
FileLock::FileLock(FileLock &&) noexcept = default;
FileLock &FileLock::operator=(FileLock &&) noexcept = default;

bool FileLock::held() const
{
    return held_ != nullptr;
}

Result<FileLock> lockExclusively(const std::filesystem::path &file)
{
    struct stat status;
    Result<posix::Descriptor> opened = posix::openRegularFile(file, O_RDWR | O_CREAT, status);
    if (!opened.ok())
        return {{}, opened.failure};
    // flock belongs to the open file, so a second open in this program waits too.
    while (::flock(opened.value.get(), LOCK_EX) != 0) {
        if (errno != EINTR)
            return {{}, posix::failureOf(file)};
    }
    FileLock lock;
    lock.held_ = std::make_unique<FileLock::Held>(FileLock::Held{std::move(opened.value)});
    return {std::move(lock), std::nullopt};
}

} // namespace platform
