// Deleting skin files into the user's trash.

#include "TempFolder.h"

#include "platform/Trash.h"

#ifndef _WIN32
#include <cstdlib>
#endif

namespace {

class Trash : public testing::Test
{
protected:
#ifndef _WIN32
    // The trash of the test's own, on the volume of its files.
    void SetUp() override
    {
        ::setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
    }
    void TearDown() override
    {
        ::unsetenv("XDG_DATA_HOME");
    }

    fs::path trash() const
    {
        return folder / "data" / "Trash";
    }
#endif

    TempFolder folder;
};

TEST_F(Trash, TakesFilesOfAnyNameAndNeverAFolder)
{
    fs::create_directory(folder / "Skins");
    fs::create_directory(folder / "Skins" / "folder.scn");
    // Longer than the trash's records of a name leave room for.
    const std::string longName = std::string(246, 'n') + ".scn";
    for (const std::string &name : {std::string("Ночь.scn"), longName, std::string("kept.scn")})
        writeFile(folder / "Skins" / fs::path(std::u8string(name.begin(), name.end())), name);

    for (const std::string &name : {std::string("Ночь.scn"), longName}) {
        const fs::path file = folder / "Skins" / fs::path(std::u8string(name.begin(), name.end()));
        const platform::Status trashed = platform::moveToTrash(file);
        EXPECT_FALSE(trashed) << trashed->reason();
    }
    // A second file of the same name goes in beside the first.
    writeFile(folder / "Skins" / u8"Ночь.scn", "again");
    EXPECT_FALSE(platform::moveToTrash(folder / "Skins" / u8"Ночь.scn"));

    const platform::Status folderRefused = platform::moveToTrash(folder / "Skins" / "folder.scn");
    ASSERT_TRUE(folderRefused);
    EXPECT_EQ(folderRefused->code, platform::FileProblem::notARegularFile);
    const platform::Status missing = platform::moveToTrash(folder / "Skins" / "missing.scn");
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->path, folder / "Skins" / "missing.scn");
    EXPECT_EQ(namesIn(folder / "Skins"), (std::vector<std::string>{"folder.scn", "kept.scn"}));

#ifndef _WIN32
    const std::vector<std::string> trashed = namesIn(trash() / "files");
    ASSERT_EQ(trashed.size(), 3u);
    EXPECT_EQ(trashed[1], "Ночь.1.scn");
    EXPECT_EQ(trashed[2], "Ночь.scn");
    EXPECT_EQ(readFile(trash() / "files" / trashed[0]), longName);
    EXPECT_EQ(readFile(trash() / "files" / "Ночь.1.scn"), "again");
    const std::string record = readFile(trash() / "info" / "Ночь.scn.trashinfo");
    EXPECT_NE(record.find("[Trash Info]\nPath=" + folder.path().native() +
                          "/Skins/%D0%9D%D0%BE%D1%87%D1%8C.scn\nDeletionDate="),
              std::string::npos)
        << record;
#endif
}

#ifndef _WIN32
TEST_F(Trash, WithoutATrashOnItsVolumeTheFileIsRemoved)
{
    writeFile(folder / "data", "a file where the trash's folder belongs");
    writeFile(folder / "skin.scn", "x");

    EXPECT_FALSE(platform::moveToTrash(folder / "skin.scn"));

    EXPECT_FALSE(fs::exists(folder / "skin.scn"));
}
#endif

} // namespace
