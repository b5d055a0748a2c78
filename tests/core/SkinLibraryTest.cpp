#include "SkinLibrary.h"

#include "Module1.h"
#include "TempAppFolder.h"

namespace {

using SkinLibraryTest = TempAppFolderTest;

TEST_F(SkinLibraryTest, BuildsPathsByPlainConcatenation)
{
    const QString skins = appFolder() + QStringLiteral("/Skins/");
    EXPECT_EQ(SkinsFolderPath(), appFolder() + QStringLiteral("/Skins"));
    EXPECT_EQ(SkinFilePath(QStringLiteral("Blue Sky.scn")), skins + QStringLiteral("Blue Sky.scn"));
    EXPECT_EQ(SkinFilePath(QString()), skins); // ends in the separator: names no file
    EXPECT_EQ(ViewerExecutablePath(), appFolder() + QStringLiteral("/Kelvora.exe"));

    Module1::SkinFileName = QStringLiteral("Kelvora.rus");
    EXPECT_EQ(ActiveSkinPath(), appFolder() + QStringLiteral("/Kelvora.rus"));
    Module1::SkinFileName = QStringLiteral(" other name ");
    EXPECT_EQ(ActiveSkinPath(), appFolder() + QStringLiteral("/ other name "));
}

TEST_F(SkinLibraryTest, PreviewPathDropsTheLastFourCharacters)
{
    const QString skins = appFolder() + QStringLiteral("/Skins/");
    EXPECT_EQ(PreviewPathFor(QStringLiteral("NIGHT.SCN")), skins + QStringLiteral("NIGHT.jpg"));
    EXPECT_EQ(PreviewPathFor(QStringLiteral("a.b.scn")), skins + QStringLiteral("a.b.jpg"));
    EXPECT_EQ(PreviewPathFor(QStringLiteral(".scn")), skins + QStringLiteral(".jpg"));
    EXPECT_EQ(PreviewPathFor(QStringLiteral("Blue Sky.scn")),
              skins + QStringLiteral("Blue Sky.jpg"));
}

TEST_F(SkinLibraryTest, ListsVisibleSkinFilesOfAnyCaseInNameOrder)
{
    for (const char *name :
         {"b.scn", "A.SCN", "a.scn", "Ночь.Scn", "c.scn.bak", "d.jpg", ".hidden.scn", "Б.scn"})
        writeFile(skinsFolder() + u'/' + QString::fromUtf8(name), "x");
    ASSERT_TRUE(QDir(skinsFolder()).mkdir(QStringLiteral("folder.scn")));

    const Result<QStringList> listed = ListSkins();
    ASSERT_TRUE(listed.ok());
    EXPECT_EQ(listed.value, (QStringList{QStringLiteral("A.SCN"), QStringLiteral("a.scn"),
                                         QStringLiteral("b.scn"), QStringLiteral("Б.scn"),
                                         QStringLiteral("Ночь.Scn")}));
}

TEST_F(SkinLibraryTest, MissingSkinsFolderIsAnErrorNamingIt)
{
    ASSERT_TRUE(QDir(skinsFolder()).removeRecursively());
    const Result<QStringList> listed = ListSkins();
    ASSERT_FALSE(listed.ok());
    EXPECT_TRUE(listed.value.isEmpty());
    EXPECT_EQ(listed.error->path, SkinsFolderPath());
    EXPECT_FALSE(listed.error->reason.isEmpty());

    EXPECT_TRUE(ListSkins().ok() == false);
    writeFile(skinsFolder(), "a file, not a folder");
    EXPECT_FALSE(ListSkins().ok());
}

} // namespace
