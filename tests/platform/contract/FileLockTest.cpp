// The lock that lets one program at a time keep the active skin and replace it.

#include "TempFolder.h"

#include "platform/FileLock.h"

#include <chrono>
#include <mutex>
#include <thread>

namespace {

using namespace std::chrono_literals;

TEST(FileLock, ASecondLockWaitsUntilTheFirstIsGone)
{
    TempFolder folder;
    const fs::path file = folder / ".lock";
    std::mutex mutex;
    std::vector<std::string> events;
    const auto note = [&](const char *event) {
        const std::lock_guard guard(mutex);
        events.push_back(event);
    };

    auto first = std::make_unique<platform::Result<platform::FileLock>>(
        platform::lockExclusively(file, 0ms));
    ASSERT_TRUE(first->ok());
    ASSERT_TRUE(first->value.held());
    std::thread other([&] {
        const platform::Result<platform::FileLock> second = platform::lockExclusively(file, 10s);
        note(second.ok() ? "second locked" : "second failed");
    });
    std::this_thread::sleep_for(300ms);
    note("first released");
    first.reset();
    other.join();

    EXPECT_EQ(events, (std::vector<std::string>{"first released", "second locked"}));
    EXPECT_TRUE(fs::is_regular_file(file));
}

// A holder that never lets go (a stopped program) is waited for only so long.
TEST(FileLock, ALockHeldElsewhereIsGivenUpAfterTheWait)
{
    TempFolder folder;
    const fs::path file = folder / ".lock";
    const platform::Result<platform::FileLock> first = platform::lockExclusively(file, 0ms);
    ASSERT_TRUE(first.value.held());

    const platform::Result<platform::FileLock> second = platform::lockExclusively(file, 100ms);

    EXPECT_TRUE(second.ok());
    EXPECT_FALSE(second.value.held());
}

TEST(FileLock, AFolderCannotBeLocked)
{
    TempFolder folder;

    const platform::Result<platform::FileLock> lock = platform::lockExclusively(folder.path(), 0ms);

    ASSERT_FALSE(lock.ok());
    EXPECT_FALSE(lock.value.held());
}

} // namespace
