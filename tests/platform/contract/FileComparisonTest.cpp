// Telling whether a kept skin holds the bytes of another file.

#include "TempFolder.h"

#include "platform/FileComparison.h"

namespace {

// Each row: a file compared with "skin", a file of several pieces.
TEST(FileComparison, ComparesEveryByteOfFilesOfOneSize)
{
    TempFolder folder;
    std::string bytes(600 * 1024, 's');
    writeFile(folder / "skin", bytes);
    writeFile(folder / "copy", bytes);
    fs::create_hard_link(folder / "skin", folder / "second name");
    bytes.back() = '!';
    writeFile(folder / "last byte differs", bytes);
    writeFile(folder / "shorter", bytes.substr(1));

    const struct
    {
        const char *name;
        bool same;
    } cases[] = {
        {"copy", true}, {"second name", true}, {"last byte differs", false}, {"shorter", false}};
    for (const auto &[name, same] : cases) {
        const platform::Result<bool> compared =
            platform::sameContents(folder / "skin", folder / name);
        ASSERT_TRUE(compared.ok()) << name;
        EXPECT_EQ(compared.value, same) << name;
    }
    const platform::Result<bool> withFolder =
        platform::sameContents(folder / "skin", folder.path());
    ASSERT_FALSE(withFolder.ok());
    EXPECT_EQ(withFolder.failure->path, folder.path());
}

} // namespace
