// Reading and writing bytes at a position, as the description field is.

#include "FileSizeLimit.h"
#include "TempFolder.h"

#include "platform/Platform.h"
#include "platform/PositionedFile.h"

#include <fstream>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

using platform::readAt;
using platform::writeAt;

constexpr std::uint64_t kOffset = 581;
constexpr std::size_t kLength = 255;

// Not a file on a disk: a device that every system has.
#ifdef _WIN32
const fs::path kDevice = "NUL";
#else
const fs::path kDevice = "/dev/null";
#endif

class PositionedFile : public testing::Test
{
protected:
    TempFolder folder;
    const fs::path file = folder / "skin.scn";
};

TEST_F(PositionedFile, ReadsTheBytesThereAndShortFilesShort)
{
    const struct
    {
        std::size_t size;
        std::size_t read;
    } cases[] = {{900, 255}, {836, 255}, {600, 19}, {581, 0}, {100, 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.size);
        std::string bytes(c.size, 'v');
        for (std::size_t i = kOffset; i < c.size; ++i)
            bytes[i] = char(i);
        writeFile(file, bytes);

        const platform::Result<std::string> read = readAt(file, kOffset, kLength);

        ASSERT_TRUE(read.ok()) << read.failure->reason();
        EXPECT_EQ(read.value, bytes.substr(std::min<std::size_t>(kOffset, c.size), c.read));
        EXPECT_EQ(fs::file_size(file), c.size);
    }
}

TEST_F(PositionedFile, ReadOfAMissingFileFailsAndCreatesNothing)
{
    const platform::Result<std::string> read = readAt(file, kOffset, kLength);

    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.failure->path, file);
    EXPECT_EQ(read.failure->code, std::errc::no_such_file_or_directory) << read.failure->reason();
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(PositionedFile, EveryByteValueIsWrittenAndReadBack)
{
    std::string bytes(256, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i);

    ASSERT_FALSE(writeAt(file, kOffset, bytes));

    EXPECT_EQ(readAt(file, kOffset, bytes.size()).value, bytes);
    EXPECT_EQ(readFile(file), std::string(kOffset, '\0') + bytes);
}

TEST_F(PositionedFile, WriteGrowsAShortFileWithZeroBytesAndKeepsALongOneLong)
{
    const std::string field(kLength, 'f');

    writeFile(file, std::string(100, 'S'));
    ASSERT_FALSE(writeAt(file, kOffset, field));
    EXPECT_EQ(readFile(file), std::string(100, 'S') + std::string(481, '\0') + field);

    writeFile(file, std::string(2000, 'L'));
    ASSERT_FALSE(writeAt(file, kOffset, field));
    EXPECT_EQ(readFile(file), std::string(581, 'L') + field + std::string(1164, 'L'));
}

// The running program's own file may be read but not written, even by root
// and under Wine.
TEST_F(PositionedFile, FileThatAllowsOnlyReadingIsStillRead)
{
    const platform::Result<fs::path> program = platform::executablePath();
    ASSERT_TRUE(program.ok()) << program.failure->reason();
    if (std::fstream(program.value, std::ios::in | std::ios::out | std::ios::binary).is_open())
        GTEST_SKIP() << "this system lets the file of a running program be written";
    const std::string bytes = readFile(program.value);
    ASSERT_GT(bytes.size(), kOffset + kLength);

    const platform::Result<std::string> read = readAt(program.value, kOffset, kLength);

    ASSERT_TRUE(read.ok()) << read.failure->reason();
    EXPECT_EQ(read.value, bytes.substr(kOffset, kLength));
}

TEST_F(PositionedFile, FailuresNameThePathAndCreateNothing)
{
    const fs::path inMissingFolder = folder / "missing" / "skin.scn";
    const struct
    {
        const char *situation;
        fs::path path;
    } cases[] = {
        {"in a missing folder", inMissingFolder},
        {"a folder", folder.path()},
        {"a device", kDevice},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.situation);
        const platform::Result<std::string> read = readAt(c.path, kOffset, kLength);
        ASSERT_FALSE(read.ok());
        EXPECT_EQ(read.failure->path, c.path);
        EXPECT_NE(read.failure->reason(), "");

        const platform::Status written = writeAt(c.path, kOffset, "x");
        ASSERT_TRUE(written);
        EXPECT_EQ(written->path, c.path);
    }
    EXPECT_FALSE(fs::exists(inMissingFolder.parent_path()));
    EXPECT_EQ(readAt(kDevice, 0, 1).failure->code, platform::FileProblem::notARegularFile);
}

#ifndef _WIN32
TEST_F(PositionedFile, NamedPipeIsRefusedWithoutWaiting)
{
    ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);

    EXPECT_EQ(readAt(file, kOffset, kLength).failure->code, platform::FileProblem::notARegularFile);
    EXPECT_EQ(writeAt(file, kOffset, "x")->code, platform::FileProblem::notARegularFile);
}
#endif

TEST_F(WriteCutShort, PositionedWriteLeavesTheFileAsItWas)
{
    static_assert(kFileSizeLimit > kOffset && kFileSizeLimit < kOffset + kLength);
    const TempFolder folder;
    const fs::path file = folder / "skin.scn";
    writeFile(file, std::string(100, 'S'));

    const platform::Status written = writeAt(file, kOffset, std::string(kLength, 'f'));

    ASSERT_TRUE(written);
    EXPECT_EQ(written->path, file);
    EXPECT_NE(written->reason(), "");
    EXPECT_EQ(readFile(file), std::string(100, 'S'));
}

} // namespace
