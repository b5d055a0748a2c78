// The program's temporary files: named so that a later start finds what a
// killed copy left, and removes that and nothing else.

#include "TempFolder.h"

#include "platform/TemporaryFiles.h"

namespace {

TEST(TemporaryFiles, OnlyTheProgramsOwnLeftoversAreRemoved)
{
    TempFolder folder;
    const platform::NativeName unique = fs::path("Ab12Cd").native();
    for (const fs::path &beside : {folder / "Kelvora.rus", folder / std::string(250, 'n')})
        writeFile(platform::temporaryPathBeside(beside, unique), "left by a killed copy");
    const std::vector<std::string> others = {
        ".Data.ksm-Ab12Cd.tmp", // a folder
        ".Kelvora.rus.ksm-Ab12C.tmp",
        ".Kelvora.rus.ksm-Ab12Cd.tmp.bak",
        ".Kelvora.rus.ksm-Ab_2Cd.tmp",
        ".ksm-Ab12Cd.tmp",
        "Kelvora.rus",
        "Kelvora.rus.ksm-Ab12Cd.tmp",
    };
    fs::create_directory(folder / others[0]);
    for (std::size_t i = 1; i < others.size(); ++i)
        writeFile(folder / others[i], "someone else's");

    platform::removeLeftoverTemporaryFiles(folder.path());

    EXPECT_EQ(namesIn(folder.path()), others);
}

} // namespace
