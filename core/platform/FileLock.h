#pragma once

// An exclusive lock on a file that several programs agree on: while one holds
// it, the others wait. The system ends the lock with the program that holds it,
// however it ends, so a killed program never leaves it taken.

#include "Failure.h"

#include <chrono>
#include <filesystem>
#include <memory>

namespace platform {

class FileLock
{
public:
    FileLock();
    ~FileLock();
    FileLock(FileLock &&) noexcept;
    FileLock &operator=(FileLock &&) noexcept;

    bool held() const;

private:
    friend Result<FileLock> lockExclusively(const std::filesystem::path &file,
                                            std::chrono::milliseconds most);
    struct Held;
    std::unique_ptr<Held> held_;
};

// Opens the file (made when missing, never written) and waits until this
// program alone holds its lock, for at most `most` (zero: not at all). A lock
// taken earlier by the same program through another call is waited for as
// well. A lock that is not held, without a failure, when another holds it
// still: a holder that is stopped must not stop this program for good.
Result<FileLock> lockExclusively(const std::filesystem::path &file, std::chrono::milliseconds most);

} // namespace platform
