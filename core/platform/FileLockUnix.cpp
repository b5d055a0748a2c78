#include "FileLock.h"
#include "UnixSupport.h"

#include <sys/file.h>

#include <thread>

namespace platform {

namespace {
// How often a lock that another holds is tried again.
constexpr std::chrono::milliseconds kPause(20);
} // namespace

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

Result<FileLock> lockExclusively(const std::filesystem::path &file, std::chrono::milliseconds most)
{
    struct stat status;
    Result<posix::Descriptor> opened = posix::openRegularFile(file, O_RDWR | O_CREAT, status);
    if (!opened.ok())
        return {{}, opened.failure};
    // flock belongs to the open file, so a second open in this program waits too.
    const auto end = std::chrono::steady_clock::now() + most;
    while (::flock(opened.value.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(kPause);
        else if (errno == EWOULDBLOCK)
            return {{}, std::nullopt};
        else if (errno != EINTR)
            return {{}, posix::failureOf(file)};
    }
    FileLock lock;
    lock.held_ = std::make_unique<FileLock::Held>(FileLock::Held{std::move(opened.value)});
    return {std::move(lock), std::nullopt};
}

} // namespace platform
