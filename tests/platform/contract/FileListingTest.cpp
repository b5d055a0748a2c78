// Listing the skin files of a folder.

#include "TempFolder.h"

#include "platform/FileListing.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using platform::NativeName;

NativeName native(const char8_t *name)
{
    return fs::path(name).native();
}

class FileListing : public testing::Test
{
protected:
    std::vector<NativeName> listed() const
    {
        platform::Result<std::vector<NativeName>> names =
            platform::visibleFileNames(folder.path(), ".scn");
        EXPECT_TRUE(names.ok()) << names.failure->reason();
        std::sort(names.value.begin(), names.value.end());
        return names.value;
    }

    // A file that a listing leaves out: a dot file on Unix; on Windows one
    // with the attribute given.
    void writeLeftOut(const char *name, [[maybe_unused]] unsigned long attribute) const
    {
#ifdef _WIN32
        writeFile(folder / name, "x");
        ASSERT_TRUE(SetFileAttributesW((folder / name).c_str(), attribute));
#else
        writeFile(folder / (std::string(".") + name), "x");
#endif
    }

    TempFolder folder;
};

TEST_F(FileListing, TakesVisibleFilesOfTheExtensionInAnyLetterCase)
{
    for (const char8_t *name :
         {u8"b.scn", u8"A.SCN", u8"Ночь.Scn", u8"c.scn.bak", u8"d.jpg", u8"scn"})
        writeFile(folder / name, "x");
    fs::create_directory(folder / "folder.scn");
#ifdef _WIN32
    writeLeftOut("hidden.scn", FILE_ATTRIBUTE_HIDDEN);
    writeLeftOut("system.scn", FILE_ATTRIBUTE_SYSTEM);
#else
    writeLeftOut("hidden.scn", 0);
#endif

    EXPECT_EQ(listed(), (std::vector{native(u8"A.SCN"), native(u8"b.scn"), native(u8"Ночь.Scn")}));
}

TEST_F(FileListing, FolderThatCannotBeReadIsAFailureNamingIt)
{
    writeFile(folder / "file", "not a folder");
    for (const fs::path &path : {folder / "missing", folder / "file"}) {
        SCOPED_TRACE(path);
        const platform::Result<std::vector<NativeName>> names =
            platform::visibleFileNames(path, ".scn");
        ASSERT_FALSE(names.ok());
        EXPECT_EQ(names.failure->path, path);
        EXPECT_NE(names.failure->reason(), "");
        EXPECT_TRUE(names.value.empty());
    }
}

#ifndef _WIN32
TEST_F(FileListing, NamesComeAsTheFileSystemGivesThemAndLinksAreFollowed)
{
    const std::string notText = "\xFF\xFE.scn"; // not UTF-8
    writeFile(folder / notText, "x");
    writeFile(folder / "target", "x");
    fs::create_symlink("target", folder / "link.scn");
    fs::create_symlink("missing", folder / "dangling.scn");
    fs::create_directory(folder / "folder");
    fs::create_directory_symlink("folder", folder / "to-folder.scn");

    EXPECT_EQ(listed(), (std::vector<NativeName>{"link.scn", notText}));
}
#endif

} // namespace
