#include "ActiveSkin.h"
#include "ApplySkinFixture.h"
#include "LaunchViewer.h"
#include "MarkerViewer.h"
#include "SkinLibrary.h"

#include <QFileInfo>

namespace {

using namespace std::chrono_literals;

// A file of this size whose first byte is given and the rest a hole that takes no room.
void writeHollowFile(const QString &path, qint64 size, char first)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(&first, 1), 1);
    ASSERT_TRUE(file.resize(size));
}

TEST_F(ApplySkinTest, WithBothFlagsOffOnlyCopies)
{
    const MarkerViewer viewer(appFolder());

    ApplySkin("Blue.scn");

    EXPECT_EQ(readFile(activeSkin()), kBlue);
    EXPECT_EQ(readFile(skin(QStringLiteral("Blue.scn"))), kBlue);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(appFolderFiles(),
              (QStringList{QStringLiteral("Kelvora.exe"), QStringLiteral("Kelvora.rus")}));
    EXPECT_FALSE(viewer.startsWithin(500ms));
}

TEST_F(ApplySkinTest, CreatesAMissingActiveFile)
{
    ASSERT_TRUE(QFile::remove(activeSkin()));

    ApplySkin("Blue.scn");

    EXPECT_EQ(readFile(activeSkin()), kBlue);
    EXPECT_TRUE(QFileInfo(activeSkin()).permissions().testFlag(QFileDevice::WriteOwner));
}

TEST_F(ApplySkinTest, ChangedSkinFileNameWritesTheNewFileAndLeavesTheOld)
{
    Module1::SkinFileName = QStringLiteral("Kelvora.ukr");

    ApplySkin("Blue.scn");

    EXPECT_EQ(readFile(appFolder() + QStringLiteral("/Kelvora.ukr")), kBlue);
    EXPECT_EQ(readFile(activeSkin()), kOldActive);
}

TEST_F(ApplySkinTest, ReplacedFileKeepsItsPermissions)
{
    const QFileDevice::Permissions ownerAndGroup =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(activeSkin(), ownerAndGroup));

    ApplySkin("Blue.scn");

    EXPECT_EQ(readFile(activeSkin()), kBlue);
    EXPECT_EQ(QFileInfo(activeSkin()).permissions() &
                  ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser),
              ownerAndGroup);
}

TEST_F(ApplySkinTest, NothingSelectedSaysSoAndChangesNothing)
{
    ApplySkin({});

    EXPECT_EQ(ui.messages, std::vector{kChooseSkin});
    EXPECT_EQ(readFile(activeSkin()), kOldActive);
}

// Each apply keeps the file it replaces in the history of the application
// folder, once for each content: the same skin again keeps nothing, and undoing
// in turn (A B A B …) makes the entry of those bytes the newest instead of
// pushing older ones out. Going back keeps the file it replaces in turn. The
// viewer's folder gets nothing, and a file of the earlier version's kept copy
// stays as it is.
TEST_F(ApplySkinTest, EachApplyKeepsWhatItReplacedOnceAndUndoingInTurnPushesNothingOut)
{
    writeFile(skin(QStringLiteral("Red.scn")), "red");
    ASSERT_TRUE(QDir(appFolder()).mkdir(QStringLiteral("Kelvora.rus.bak")));
    EXPECT_FALSE(CanUndoApply());

    const QDateTime started = QDateTime::currentDateTimeUtc().addMSecs(-1);
    for (const char *name : {"Blue.scn", "Red.scn", "Red.scn"})
        ApplySkin(name);
    // A name like an entry's, but of no possible time, is someone else's file.
    writeFile(historyFolder() + QStringLiteral("/00000009-20261340T250000.000Z-3"), "red");
    const QString blue = QStringLiteral("Blue.scn"), red = QStringLiteral("Red.scn"),
                  unknown = QStringLiteral("неизвестный скин");
    EXPECT_EQ(shownHistory(), (QStringList{blue, unknown}));
    EXPECT_GE(history().front().time, started);
    EXPECT_LE(history().front().time, QDateTime::currentDateTimeUtc());
    EXPECT_EQ(readFile(history().back().file), kOldActive);

    ASSERT_TRUE(CanUndoApply());
    for (int i = 0; i < 4; ++i)
        UndoApply();
    EXPECT_EQ(readFile(activeSkin()), "red");
    EXPECT_EQ(shownHistory(), (QStringList{blue, red, unknown}));
    ReturnToEntry(history().back());
    EXPECT_EQ(readFile(activeSkin()), kOldActive);
    EXPECT_EQ(shownHistory(), (QStringList{red, blue, unknown}));

    EXPECT_TRUE(ui.errors.empty());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(appFolderFiles(), QStringList{QStringLiteral("Kelvora.rus")});
    EXPECT_TRUE(QFileInfo(appFolder() + QStringLiteral("/Kelvora.rus.bak")).isDir());
    EXPECT_EQ(readFile(historyFolder() + QStringLiteral("/folder.txt")),
              appFolder().toUtf8() + '\n');
}

// Thirty entries at most, and no more than 256 MiB together: the oldest go.
TEST_F(ApplySkinTest, TheHistoryKeepsTheNewestThirtyEntriesWithinItsBytes)
{
    for (int i = 0; i < 32; ++i) {
        writeFile(activeSkin(), QByteArray("skin ") + QByteArray::number(i));
        ApplySkin("Blue.scn");
    }
    EXPECT_EQ(history().size(), kMostHistoryEntries);
    EXPECT_EQ(readFile(history().front().file), "skin 31");

    // 100 MiB each, of no room on the disk; 300 MiB leave two.
    for (const char first : {'A', 'B', 'C'}) {
        writeHollowFile(activeSkin(), 100 * 1024 * 1024, first);
        ApplySkin("Blue.scn");
    }
    const std::vector<HistoryEntry> entries = history();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(readFile(entries[0].file).front(), 'C');
    EXPECT_EQ(readFile(entries[1].file).front(), 'B');
    EXPECT_TRUE(ui.messages.empty());
}

// The apply goes on and says once that it cannot be undone; a failed apply
// keeps nothing.
TEST_F(ApplySkinTest, AnEntryThatCannotBeKeptStopsNoApplyAndAFailedApplyKeepsNone)
{
    const struct
    {
        const char *situation;
        std::function<void()> arrange;
    } cases[] = {
        {"data folder is a file", [this] { writeFile(dataFolder(), "no folder"); }},
        {"active skin larger than the history",
         [this] { writeHollowFile(activeSkin(), kMostHistoryBytes + 1, 'x'); }},
    };
    for (const auto &[situation, arrange] : cases) {
        SCOPED_TRACE(situation);
        writeFile(activeSkin(), kOldActive);
        arrange();
        ui.messages.clear();

        ApplySkin("Blue.scn");

        EXPECT_EQ(readFile(activeSkin()), kBlue);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].icon, UserInterface::Icon::Warning);
        EXPECT_TRUE(ui.messages[0].text.contains(QStringLiteral("нельзя будет отменить")));
        EXPECT_TRUE(ui.errors.empty());
        QFile::remove(dataFolder());
    }

    ApplySkin("Missing.scn");

    EXPECT_EQ(ui.errors.size(), 1u);
    EXPECT_TRUE(history().empty());
    EXPECT_EQ(
        QDir(historyFolder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        (QStringList{QStringLiteral(".lock"), QStringLiteral("folder.txt")}));
}

TEST_F(ApplySkinTest, SkinsEqualToTheActiveFileAreFoundByTheirBytes)
{
    writeFile(activeSkin(), kBlue);
    QByteArray sameSize = kBlue;
    sameSize.back() = '!';
    writeFile(skin(QStringLiteral("Copy.scn")), kBlue);
    writeFile(skin(QStringLiteral("Other.scn")), sameSize);
    writeFile(skin(QStringLiteral("Short.scn")), "short");

    const std::vector<std::filesystem::path> equal =
        SkinsEqualTo(ActiveSkinPath(), SkinsFolderPath(),
                     {{"Short.scn", {}},
                      {"Blue.scn", {}},
                      {"Other.scn", {}},
                      {"Copy.scn", {}},
                      {"Gone.scn", {}}});

    EXPECT_EQ(equal, (std::vector<std::filesystem::path>{"Blue.scn", "Copy.scn"}));
}

TEST_F(ApplySkinTest, LaunchRunsAfterTheMessageWithTheActiveFileUnchanged)
{
    Module1::RunKLVAfterApply = QStringLiteral("1");
    const MarkerViewer viewer(appFolder(), MarkerViewer::Placed::Later);
    ui.onMessage = [&] { viewer.place(); };

    ApplySkin({});

    EXPECT_EQ(ui.messages, std::vector{kChooseSkin});
    EXPECT_TRUE(viewer.startsWithin(10s));
    EXPECT_EQ(readFile(activeSkin()), kOldActive);
}

// What an apply replaced is named after the skin shown as holding it, among
// skins of the same bytes, and after the first skin of its bytes when the
// mark is stale.
TEST_F(ApplySkinTest, AnEntryIsNamedAfterTheSkinMarkedActive)
{
    writeFile(skin(QStringLiteral("Copy.scn")), kBlue);
    writeFile(skin(QStringLiteral("Green.scn")), "green");
    writeFile(skin(QStringLiteral("Red.scn")), "red");
    ApplySkin("Copy.scn");
    ApplySkin("Red.scn");
    writeFile(activeSkin(), "green"); // another program's change: the mark stays on Red

    ApplySkin("Blue.scn");

    EXPECT_EQ(shownHistory(), (QStringList{QStringLiteral("Green.scn"), QStringLiteral("Copy.scn"),
                                           QStringLiteral("неизвестный скин")}));
}

// What an apply or an undo tells the user is told with the history's lock
// released: another copy of the program applies meanwhile instead of waiting
// for the user and failing.
TEST_F(ApplySkinTest, AnotherCopyAppliesWhileAMessageWaitsForTheUser)
{
    writeFile(skin(QStringLiteral("Red.scn")), "red");
    SetHistoryLockWaitForTesting(100ms);
    const std::pair<const char *, std::function<void()>> cases[] = {
        {"nothing selected", [] { ApplySkin({}); }},
        {"no such entry", [] { UndoApply(5); }},
        {"an entry that cannot be kept",
         [this] {
             writeHollowFile(activeSkin(), qint64(kMostHistoryBytes) + 1, 'x');
             ApplySkin("Blue.scn");
         }},
    };
    for (const auto &[name, act] : cases) {
        SCOPED_TRACE(name);
        ui.messages.clear();
        bool otherCopyApplied = false;
        QByteArray activeAtTheMessage;
        ui.onMessage = [&] {
            if (std::exchange(otherCopyApplied, true))
                return;
            ApplySkin("Red.scn");
            activeAtTheMessage = readFile(activeSkin());
        };

        act();

        EXPECT_EQ(activeAtTheMessage, "red");
        EXPECT_EQ(ui.messages.size(), 1u);
    }
    SetHistoryLockWaitForTesting(kHistoryLockWait);
}

using LaunchViewerTest = ApplySkinTest;

TEST_F(LaunchViewerTest, StartsTheViewerOfTheApplicationFolder)
{
    const MarkerViewer viewer(appFolder());

    EXPECT_EQ(LaunchViewer(), std::nullopt);
    EXPECT_TRUE(viewer.startsWithin(10s));
}

TEST_F(LaunchViewerTest, MissingProgramFailsAndApplyShowsNothing)
{
    const Status launched = LaunchViewer();
    ASSERT_TRUE(launched.has_value());
    EXPECT_EQ(launched->path, text(ViewerExecutablePath()));
    EXPECT_FALSE(launched->reason.isEmpty());

    Module1::RunKLVAfterApply = QStringLiteral("1");
    ApplySkin("Blue.scn");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(readFile(activeSkin()), kBlue);
}

TEST_F(LaunchViewerTest, FileThatIsNoProgramFails)
{
    writeFile(ViewerExecutablePath(), "plain text, not a program");
    ASSERT_TRUE(QFile::setPermissions(text(ViewerExecutablePath()), QFileDevice::ReadOwner |
                                                                        QFileDevice::WriteOwner |
                                                                        QFileDevice::ExeOwner));

    EXPECT_TRUE(LaunchViewer().has_value());
}

} // namespace
