#include "FileLock.h"
#include "Win32Support.h"

namespace platform {

namespace {
// How often a lock that another holds is tried again.
constexpr std::chrono::milliseconds kPause(20);
} // namespace

struct FileLock::Held
{
    win32::Handle file;
};

FileLock::FileLock() = default;
FileLock::~FileLock() = default; // closing the handle ends the lock
FileLock::FileLock(FileLock &&) noexcept = default;
FileLock &FileLock::operator=(FileLock &&) noexcept = default;

bool FileLock::held() const
{
    return held_ != nullptr;
}

Result<FileLock> lockExclusively(const std::filesystem::path &file, std::chrono::milliseconds most)
{
    Result<win32::Handle> opened =
        win32::openDiskFile(file, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    if (!opened.ok())
        return {{}, opened.failure};
    // The lock belongs to the handle, so a second handle in this program waits too.
    const auto end = std::chrono::steady_clock::now() + most;
    for (;;) {
        OVERLAPPED whole{};
        if (LockFileEx(opened.value.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                       1, 0, &whole))
            break;
        if (GetLastError() != ERROR_LOCK_VIOLATION)
            return {{}, win32::failureOf(file)};
        if (std::chrono::steady_clock::now() >= end)
            return {{}, std::nullopt};
        Sleep(DWORD(kPause.count()));
    }
    FileLock lock;
    lock.held_ = std::make_unique<FileLock::Held>(FileLock::Held{std::move(opened.value)});
    return {std::move(lock), std::nullopt};
}

} // namespace platform
