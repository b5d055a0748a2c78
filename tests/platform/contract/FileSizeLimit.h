#pragma once

// Tests of writes that the system cuts short: past KSM_FILE_SIZE_LIMIT bytes a
// file cannot grow, and a write that would cross it takes only part of its bytes.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

inline constexpr std::uint64_t kFileSizeLimit = KSM_FILE_SIZE_LIMIT;

#ifndef _WIN32

// The limit holds while the test runs; writes past it fail with EFBIG rather
// than a signal.
class WriteCutShort : public testing::Test
{
protected:
    void SetUp() override
    {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = kFileSizeLimit;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    }
    void TearDown() override
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

#else

// Windows offers no such limit to set: the Wine run of these tests sets one for
// the whole process and says so in the environment.
class WriteCutShort : public testing::Test
{
protected:
    void SetUp() override
    {
        const char *limit = std::getenv("KSM_FILE_SIZE_LIMIT");
        if (!limit || std::to_string(kFileSizeLimit) != limit)
            GTEST_SKIP() << "needs a run limited to " << kFileSizeLimit
                         << " bytes a file, as tests/platform/wine-run.sh makes one";
    }
};

#endif
