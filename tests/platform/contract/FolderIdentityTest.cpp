// Naming a folder the same way however a path leads to it.

#include "TempFolder.h"

#include "platform/FolderIdentity.h"

namespace {

TEST(FolderIdentity, TwoPathsOfOneFolderGiveOneIdentityAndTwoFoldersTwo)
{
    TempFolder folder;
    fs::create_directories(folder / "Kelvora" / "Skins");
    fs::create_directories(folder / "Other");

    const platform::Result<std::string> plain = platform::folderIdentity(folder / "Kelvora");
    const platform::Result<std::string> roundabout =
        platform::folderIdentity(folder / "Kelvora" / "Skins" / "..");
    const platform::Result<std::string> other = platform::folderIdentity(folder / "Other");

    ASSERT_TRUE(plain.ok() && roundabout.ok() && other.ok());
    EXPECT_EQ(plain.value, roundabout.value);
    EXPECT_NE(plain.value, other.value);
#ifdef _WIN32
    const platform::Result<std::string> otherCase = platform::folderIdentity(folder / "KELVORA");
    ASSERT_TRUE(otherCase.ok());
    EXPECT_EQ(otherCase.value, plain.value);
#endif
}

TEST(FolderIdentity, AFileOrAMissingFolderHasNone)
{
    TempFolder folder;
    writeFile(folder / "file", "not a folder");

    for (const fs::path &path : {folder / "file", folder / "missing"}) {
        const platform::Result<std::string> identity = platform::folderIdentity(path);
        ASSERT_FALSE(identity.ok()) << utf8(path);
        EXPECT_EQ(identity.failure->path, path);
    }
}

} // namespace
