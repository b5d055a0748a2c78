// Copying a skin over the active skin file, all or nothing.

#include "FileSizeLimit.h"
#include "TempFolder.h"

#include "platform/Platform.h"
#include "platform/ReplacingCopy.h"
#include "platform/TemporaryFiles.h"

#include <chrono>
#include <fstream>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace {

using namespace std::chrono_literals;
using platform::copyReplacing;
using platform::FileProblem;

const std::string kOld = "the active skin as it was";

// Larger than one chunk of the copy, and not a whole number of them.
std::string largeSkin()
{
    std::string bytes;
    for (int i = 0; bytes.size() < 600 * 1024; ++i)
        bytes += "skin line " + std::to_string(i) + '\n';
    return bytes;
}

// An application folder with its active skin file and one skin.
class ReplacingCopy : public testing::Test
{
protected:
    void SetUp() override
    {
        fs::create_directory(skins);
        writeFile(active, kOld);
        writeFile(skin, kSkin);
    }

    // The application folder holds nothing but what it held before.
    void expectNothingLeftBehind() const
    {
        EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"Kelvora.rus", "Skins"}));
    }

    const std::string kSkin = largeSkin();
    TempFolder folder;
    const fs::path skins = folder / "Skins";
    const fs::path skin = skins / "Blue.scn";
    const fs::path active = folder / "Kelvora.rus";
};

TEST_F(ReplacingCopy, ReplacesTheDestinationWithAllTheBytes)
{
    ASSERT_FALSE(copyReplacing(skin, active));

    EXPECT_EQ(readFile(active), kSkin);
    EXPECT_EQ(readFile(skin), kSkin);
    expectNothingLeftBehind();
}

TEST_F(ReplacingCopy, CacheBytesReplaceTheDestinationForItsOwnerAlone)
{
    ASSERT_FALSE(platform::writeReplacing(active, kSkin, platform::WrittenFile::cache));

    EXPECT_EQ(readFile(active), kSkin);
    expectNothingLeftBehind();
#ifndef _WIN32
    struct stat status;
    ASSERT_EQ(::stat(active.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);

    // A link in a cache is replaced, and the file it led to stays as it was.
    const fs::path entry = folder / "entry.png";
    fs::create_symlink(skin, entry);
    ASSERT_FALSE(platform::writeReplacing(entry, "picture", platform::WrittenFile::cache));
    EXPECT_FALSE(fs::is_symlink(entry));
    EXPECT_EQ(readFile(entry), "picture");
    EXPECT_EQ(readFile(skin), kSkin);
#endif
}

// Keeping the file an apply replaces: a copy of its own, which then replaces an
// older one in one step. The copy stays as it was when the file it came from
// is written through a handle opened before (a viewer that is still running).
TEST_F(ReplacingCopy, KeepsTheBytesOfAFileThenRenamesThemOverAnother)
{
    const fs::path kept = folder / "Kelvora.rus.new";
    const fs::path previous = folder / "Kelvora.rus.bak";
    writeFile(kept, "stale");
    writeFile(previous, "older");
    std::ofstream heldByTheViewer(active, std::ios::binary | std::ios::in);

    ASSERT_FALSE(copyReplacing(active, kept));
    heldByTheViewer << "written through the old handle";
    heldByTheViewer.close();
    ASSERT_FALSE(platform::renameReplacing(kept, previous));
    ASSERT_FALSE(platform::writeReplacing(kept, "written whole"));

    EXPECT_EQ(readFile(previous), kOld);
    EXPECT_EQ(readFile(kept), "written whole");
    fs::remove(kept);
    const platform::Status missing = platform::renameReplacing(kept, previous);
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->path, previous);
    EXPECT_EQ(readFile(previous), kOld);
}

TEST_F(ReplacingCopy, CreatesAMissingDestination)
{
    fs::remove(active);

    ASSERT_FALSE(copyReplacing(skin, active));

    EXPECT_EQ(readFile(active), kSkin);
#ifndef _WIN32
    EXPECT_EQ(fs::status(active).permissions(), fs::perms::owner_read | fs::perms::owner_write |
                                                    fs::perms::group_read | fs::perms::others_read);
#endif
}

TEST_F(ReplacingCopy, PathThatLeadsNowhereIsSaidToAndChangesNothing)
{
    const struct
    {
        const char *situation;
        fs::path source;
        fs::path destination;
        fs::path reported;
    } cases[] = {
        {"no source", "", active, ""},
        {"source ends in a separator", skins / "", active, skins / ""},
        {"source in a missing folder", folder / "Gone" / "Blue.scn", active,
         folder / "Gone" / "Blue.scn"},
        {"no destination", skin, "", ""},
        {"destination ends in a separator", skin, folder / "", folder / ""},
        {"destination in a missing folder", skin, folder / "Gone" / "Kelvora.rus",
         folder / "Gone" / "Kelvora.rus"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.situation);
        const platform::Status copied = copyReplacing(c.source, c.destination);
        ASSERT_TRUE(copied);
        EXPECT_EQ(copied->code, FileProblem::leadsNowhere);
        EXPECT_EQ(copied->path, c.reported);
        EXPECT_EQ(readFile(active), kOld);
        expectNothingLeftBehind();
    }
}

TEST_F(ReplacingCopy, OtherFailuresLeaveTheDestinationAsItWas)
{
#ifdef _WIN32
    const fs::path device = "NUL";
#else
    const fs::path device = "/dev/null";
    const fs::path pipe = skins / "Pipe.scn";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
#endif
    const fs::path folderSkin = skins / "Folder.scn";
    fs::create_directory(folderSkin);
    const struct
    {
        const char *situation;
        fs::path source;
        std::error_code code;
    } cases[] = {
        {"source missing from its folder", skins / "Gone.scn", {}},
        {"source is a folder", folderSkin, {}},
        {"source is a device", device, FileProblem::notARegularFile},
#ifndef _WIN32
        {"source is a named pipe", pipe, FileProblem::notARegularFile},
#endif
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.situation);
        const platform::Status copied = copyReplacing(c.source, active);
        ASSERT_TRUE(copied);
        EXPECT_EQ(copied->path, c.source);
        EXPECT_NE(copied->reason(), "");
        EXPECT_NE(copied->code, FileProblem::leadsNowhere);
        if (c.code) {
            EXPECT_EQ(copied->code, c.code);
        }
        EXPECT_EQ(readFile(active), kOld);
        expectNothingLeftBehind();
    }
}

// Read-only by its permission bits, which hold even for root; on Windows by
// its read-only attribute.
TEST_F(ReplacingCopy, ReadOnlyDestinationStaysAsItWas)
{
    const fs::perms readOnly =
        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(active, readOnly);

    const platform::Status copied = copyReplacing(skin, active);

    fs::permissions(active, readOnly | fs::perms::owner_write);
    ASSERT_TRUE(copied);
    EXPECT_EQ(copied->code, FileProblem::readOnly);
    EXPECT_EQ(copied->path, active);
    EXPECT_EQ(readFile(active), kOld);
    expectNothingLeftBehind();
}

#ifndef _WIN32
TEST_F(ReplacingCopy, ReplacedFileKeepsItsPermissions)
{
    ASSERT_EQ(chmod(active.c_str(), 0640), 0);

    ASSERT_FALSE(copyReplacing(skin, active));

    EXPECT_EQ(readFile(active), kSkin);
    EXPECT_EQ(fs::status(active).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(ReplacingCopy, SymbolicLinkIsWrittenThroughToItsTarget)
{
    fs::create_directory(folder / "viewer");
    const fs::path target = folder / "viewer" / "skin.rus";
    fs::rename(active, target);
    fs::create_symlink("viewer/skin.rus", active);

    ASSERT_FALSE(copyReplacing(skin, active));

    EXPECT_TRUE(fs::is_symlink(active));
    EXPECT_EQ(readFile(target), kSkin);
    EXPECT_EQ(namesIn(folder / "viewer"), std::vector<std::string>{"skin.rus"});
}
#endif

#ifdef _WIN32
// Another program holds the destination open without letting it be deleted,
// as a viewer or a virus scanner may.
HANDLE holdOpen(const fs::path &path)
{
    return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST_F(ReplacingCopy, DestinationHeldOpenIsTriedAgainThenReported)
{
    const HANDLE held = holdOpen(active);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    const auto start = std::chrono::steady_clock::now();
    const platform::Status copied = copyReplacing(skin, active);
    const auto tried = std::chrono::steady_clock::now() - start;

    CloseHandle(held);
    ASSERT_TRUE(copied);
    EXPECT_EQ(copied->path, active);
    EXPECT_NE(copied->reason(), "");
    EXPECT_GE(tried, 150ms);
    EXPECT_EQ(readFile(active), kOld);
    expectNothingLeftBehind();
}

// Another copy of the program that starts while the rename is tried again
// sweeps the folder: the temporary file, still open, is not its leftover.
TEST_F(ReplacingCopy, DestinationLetGoWhileTriedAgainIsReplaced)
{
    const HANDLE held = holdOpen(active);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread letGo([this, held] {
        std::this_thread::sleep_for(50ms);
        platform::removeLeftoverTemporaryFiles(folder.path());
        CloseHandle(held);
    });

    const platform::Status copied = copyReplacing(skin, active);

    letGo.join();
    EXPECT_FALSE(copied) << copied->reason();
    EXPECT_EQ(readFile(active), kSkin);
    expectNothingLeftBehind();
}
#endif

// The running program's file is larger than the limit, and was there before it.
TEST_F(WriteCutShort, ReplacingCopyLeavesTheDestinationAsItWas)
{
    const platform::Result<fs::path> program = platform::executablePath();
    ASSERT_TRUE(program.ok()) << program.failure->reason();
    ASSERT_GT(fs::file_size(program.value), kFileSizeLimit);
    const TempFolder folder;
    const fs::path active = folder / "Kelvora.rus";
    writeFile(active, kOld);

    const platform::Status copied = copyReplacing(program.value, active);

    ASSERT_TRUE(copied);
    EXPECT_EQ(copied->path, active);
    EXPECT_NE(copied->reason(), "");
    EXPECT_EQ(readFile(active), kOld);
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"Kelvora.rus"});
}

} // namespace
