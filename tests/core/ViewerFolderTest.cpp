#include "ViewerFolder.h"

#include "Settings.h"
#include "TempAppFolder.h"
#include "WinePrefixLayout.h"

#include "platform/WinePrefixes.h"

namespace {

class ViewerFolderTest : public TempAppFolderTest
{
protected:
    void SetUp() override
    {
        TempAppFolderTest::SetUp();
        qputenv("XDG_DATA_HOME", QFile::encodeName(prefixes.dataHome()));
    }

    static std::vector<std::filesystem::path> paths(const QStringList &texts)
    {
        std::vector<std::filesystem::path> converted;
        for (const QString &path : texts)
            converted.push_back(ToNativePath(path));
        return converted;
    }

    WinePrefixLayout prefixes{root.path()};
};

TEST_F(ViewerFolderTest, FindsEveryFolderThatHoldsTheViewerAndNothingElse)
{
    const QString named = prefixes.namedPrefix();
    const QString found[] = {
        WinePrefixLayout::install(named, "Program Files/Kelvora"),
        WinePrefixLayout::install(named, "Program Files (x86)/Maker/Kelvora TV/bin"),
        WinePrefixLayout::install(prefixes.homePrefix(), "Program Files/Kelvora"),
        WinePrefixLayout::install(prefixes.keptPrefix("tv"), "Program Files/Kelvora"),
    };
    // Skins without the viewer, too deep, outside Program Files, a folder of
    // the viewer's name, and a link out of the prefix.
    WinePrefixLayout::install(named, "Program Files/Skins only", false);
    WinePrefixLayout::install(named, "Program Files/a/b/c/Kelvora");
    WinePrefixLayout::install(named, "users/me/Kelvora");
    ASSERT_TRUE(QDir().mkpath(named + QStringLiteral("/drive_c/Program Files/odd/Kelvora.exe")));
    const QString outside = WinePrefixLayout::install(root.path(), "elsewhere");
    ASSERT_TRUE(QFile::link(outside, named + QStringLiteral("/drive_c/Program Files/link")));
    // The same prefix twice, and one that is not there.
    ASSERT_TRUE(QFile::link(named, prefixes.keptPrefix("same")));

    std::vector<std::filesystem::path> searched = platform::winePrefixes();
    searched.push_back(ToNativePath(root.path() + QStringLiteral("/missing")));
    EXPECT_EQ(FindViewerInstallations(searched), paths({found[0], found[1], found[2], found[3]}));
}

// Whatever else Wine's prefixes hold, each installation is found: a named
// prefix larger than a search's budget, links that lead nowhere among the kept
// prefixes, and a relative XDG_DATA_HOME, which the standard says to ignore.
TEST_F(ViewerFolderTest, NoPrefixHidesTheInstallationsOfTheOthers)
{
    const std::filesystem::path crowded =
        ToNativePath(prefixes.namedPrefix() + QStringLiteral("/drive_c/Program Files/crowded"));
    for (int folder = 0; folder <= 10'000; ++folder)
        std::filesystem::create_directories(crowded / std::to_string(folder));
    const QString inHome = WinePrefixLayout::install(prefixes.homePrefix(), "Program Files/K");
    const QString kept = WinePrefixLayout::install(prefixes.keptPrefix("tv"), "Program Files/K");
    for (const char *broken : {"a", "b", "m", "x", "z"})
        ASSERT_TRUE(
            QFile::link(root.path() + QStringLiteral("/nowhere"), prefixes.keptPrefix(broken)));
    qputenv("XDG_DATA_HOME", "relative/share");

    EXPECT_EQ(FindViewerInstallations(platform::winePrefixes()), paths({inHome, kept}));
}

// A folder named in another code page, as a Windows disk mounted on Linux has
// it, is remembered as its bytes: the next start works there without asking.
TEST_F(ViewerFolderTest, RemembersAFolderNamedInAnotherCodePageAsItIs)
{
    const std::filesystem::path chosen = ToNativePath(root.path()) / "\xCF\xE0\xEF\xEA\xE0";
    std::filesystem::create_directories(chosen / "Skins");

    ASSERT_FALSE(RememberViewerFolder(chosen));

    const ViewerFolderLookup lookup = LookUpViewerFolder();
    EXPECT_TRUE(lookup.settled);
    EXPECT_EQ(lookup.folder, chosen);
}

// Started outside the viewer's folder: a remembered folder wins while it holds
// the viewer; once gone, the user is asked again among what Wine holds.
TEST_F(ViewerFolderTest, RememberedFolderWhileItIsTheViewers)
{
    const QString installed = WinePrefixLayout::install(prefixes.namedPrefix(), "Program Files/K");
    const QString chosen = WinePrefixLayout::install(root.path(), "chosen");

    ViewerFolderLookup lookup = LookUpViewerFolder();
    EXPECT_FALSE(lookup.settled);
    EXPECT_EQ(lookup.found, paths({installed}));
    EXPECT_TRUE(lookup.vanished.empty());

    ASSERT_FALSE(RememberViewerFolder(ToNativePath(chosen)));
    lookup = LookUpViewerFolder();
    EXPECT_TRUE(lookup.settled);
    EXPECT_EQ(lookup.folder, ToNativePath(chosen));

    ASSERT_TRUE(QDir(chosen).removeRecursively());
    lookup = LookUpViewerFolder();
    EXPECT_FALSE(lookup.settled);
    EXPECT_EQ(lookup.vanished, ToNativePath(chosen));
    EXPECT_EQ(lookup.found, paths({installed}));

    // The four settings stay as they were: the folder has a section of its own.
    QSettings store(configFolder() + QStringLiteral("/Kelvora Skin Manager.conf"),
                    QSettings::IniFormat);
    EXPECT_EQ(store.childGroups(), QStringList{QStringLiteral("Viewer")});
}

} // namespace
