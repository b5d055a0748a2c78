#include "SkinLibrary.h"

#include "Module1.h"
#include "TempAppFolder.h"

namespace {

using SkinLibraryTest = TempAppFolderTest;

TEST_F(SkinLibraryTest, BuildsPathsFromTheApplicationFolder)
{
    const QString skins = appFolder() + QStringLiteral("/Skins/");
    EXPECT_EQ(text(SkinsFolderPath()), appFolder() + QStringLiteral("/Skins"));
    EXPECT_EQ(text(SkinFilePath("Blue Sky.scn")), skins + QStringLiteral("Blue Sky.scn"));
    EXPECT_EQ(text(SkinFilePath({})), skins); // ends in the separator: names no file
    EXPECT_EQ(text(ViewerExecutablePath()), appFolder() + QStringLiteral("/Kelvora.exe"));

    Module1::SkinFileName = QStringLiteral("Kelvora.rus");
    EXPECT_EQ(text(ActiveSkinPath()), appFolder() + QStringLiteral("/Kelvora.rus"));
    Module1::SkinFileName = QStringLiteral(" other name ");
    EXPECT_EQ(text(ActiveSkinPath()), appFolder() + QStringLiteral("/ other name "));
}

TEST_F(SkinLibraryTest, PreviewPathDropsTheLastFourCharacters)
{
    const QString skins = appFolder() + QStringLiteral("/Skins/");
    EXPECT_EQ(text(PreviewPathFor("NIGHT.SCN")), skins + QStringLiteral("NIGHT.jpg"));
    EXPECT_EQ(text(PreviewPathFor("a.b.scn")), skins + QStringLiteral("a.b.jpg"));
    EXPECT_EQ(text(PreviewPathFor(".scn")), skins + QStringLiteral(".jpg"));
    EXPECT_EQ(text(PreviewPathFor(u8"Синий.scn")), skins + QStringLiteral("Синий.jpg"));
}

TEST_F(SkinLibraryTest, ListsVisibleSkinFilesOfAnyCaseInNameOrder)
{
    for (const char *name :
         {"b.scn", "A.SCN", "a.scn", "Ночь.Scn", "c.scn.bak", "d.jpg", ".hidden.scn", "Б.scn"})
        writeFile(skinsFolder() + u'/' + QString::fromUtf8(name), "x");
    ASSERT_TRUE(QDir(skinsFolder()).mkdir(QStringLiteral("folder.scn")));

    const Result<std::vector<SkinName>> listed = ListSkins(SkinsFolderPath());
    ASSERT_TRUE(listed.ok());
    QStringList shown;
    for (const SkinName &skin : listed.value) {
        shown << skin.shown;
        EXPECT_EQ(text(skin.file), skin.shown);
    }
    EXPECT_EQ(shown, (QStringList{QStringLiteral("A.SCN"), QStringLiteral("a.scn"),
                                  QStringLiteral("b.scn"), QStringLiteral("Б.scn"),
                                  QStringLiteral("Ночь.Scn")}));
}

TEST_F(SkinLibraryTest, MissingSkinsFolderIsAnErrorNamingIt)
{
    ASSERT_TRUE(QDir(skinsFolder()).removeRecursively());
    const Result<std::vector<SkinName>> listed = ListSkins(SkinsFolderPath());
    ASSERT_FALSE(listed.ok());
    EXPECT_TRUE(listed.value.empty());
    EXPECT_EQ(listed.error->path, text(SkinsFolderPath()));
    EXPECT_FALSE(listed.error->reason.isEmpty());

    EXPECT_TRUE(ListSkins(SkinsFolderPath()).ok() == false);
    writeFile(skinsFolder(), "a file, not a folder");
    EXPECT_FALSE(ListSkins(SkinsFolderPath()).ok());
}

} // namespace
