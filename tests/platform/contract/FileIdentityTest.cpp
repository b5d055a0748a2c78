// Telling whether two paths name one file, as the system resolves names.

#include "TempFolder.h"

#include "platform/FileIdentity.h"

namespace {

using platform::isSameFile;

TEST(FileIdentity, OneFileUnderEveryNameTheSystemTakesForIt)
{
    TempFolder folder;
    const fs::path program = folder / "Program.exe";
    writeFile(program, "program");
    writeFile(folder / "Copy.exe", "program");
    fs::create_hard_link(program, folder / "Second name.exe");

    EXPECT_TRUE(isSameFile(program, program));
    EXPECT_TRUE(isSameFile(program, folder / "Second name.exe"));
    EXPECT_FALSE(isSameFile(program, folder / "Copy.exe"));
    EXPECT_FALSE(isSameFile(program, folder / "Missing.exe"));
    EXPECT_FALSE(isSameFile(folder / "Missing.exe", folder / "Missing.exe"));
    // Other letter case and a trailing dot name the file where the system
    // finds it by them (on Windows), and another file elsewhere.
    for (const char *name : {"PROGRAM.EXE", "Program.exe."})
        EXPECT_EQ(isSameFile(program, folder / name), fs::exists(folder / name)) << name;
}

// Another version after a write in place or another file renamed into the
// name; the same while the file stays as it is.
TEST(FileIdentity, AVersionChangesWithTheFileAndOnlyThen)
{
    TempFolder folder;
    const fs::path picture = folder / "Blue.jpg";
    writeFile(picture, "first");
    const std::optional<platform::FileVersion> first = platform::fileVersion(picture);
    ASSERT_TRUE(first);
    EXPECT_EQ(platform::fileVersion(picture), first);
    writeFile(picture, "written again");
    const std::optional<platform::FileVersion> rewritten = platform::fileVersion(picture);
    EXPECT_NE(rewritten, first);
    writeFile(folder / "New.jpg", "written again");
    fs::rename(folder / "New.jpg", picture);
    EXPECT_NE(platform::fileVersion(picture), rewritten);
    EXPECT_FALSE(platform::fileVersion(folder / "Missing.jpg"));
    EXPECT_FALSE(platform::fileVersion(folder.path()));
}

} // namespace
