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

} // namespace
