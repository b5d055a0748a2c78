#include "ApplySkinFixture.h"
#include "LaunchViewer.h"
#include "MarkerViewer.h"
#include "SkinLibrary.h"

#include <QFileInfo>

namespace {

using namespace std::chrono_literals;

TEST_F(ApplySkinTest, WithBothFlagsOffOnlyCopies)
{
    const MarkerViewer viewer(appFolder());

    ApplySkin(QStringLiteral("Blue.scn"));

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

    ApplySkin(QStringLiteral("Blue.scn"));

    EXPECT_EQ(readFile(activeSkin()), kBlue);
    EXPECT_TRUE(QFileInfo(activeSkin()).permissions().testFlag(QFileDevice::WriteOwner));
}

TEST_F(ApplySkinTest, ChangedSkinFileNameWritesTheNewFileAndLeavesTheOld)
{
    Module1::SkinFileName = QStringLiteral("Kelvora.ukr");

    ApplySkin(QStringLiteral("Blue.scn"));

    EXPECT_EQ(readFile(appFolder() + QStringLiteral("/Kelvora.ukr")), kBlue);
    EXPECT_EQ(readFile(activeSkin()), kOldActive);
}

TEST_F(ApplySkinTest, ReplacedFileKeepsItsPermissions)
{
    const QFileDevice::Permissions ownerAndGroup =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(activeSkin(), ownerAndGroup));

    ApplySkin(QStringLiteral("Blue.scn"));

    EXPECT_EQ(readFile(activeSkin()), kBlue);
    EXPECT_EQ(QFileInfo(activeSkin()).permissions() &
                  ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser),
              ownerAndGroup);
}

TEST_F(ApplySkinTest, PathThatLeadsNowhereShowsTheMessageAndChangesNothing)
{
    const struct
    {
        const char *situation;
        QString name;
        QString skinFileName;
    } cases[] = {
        {"nothing selected", QString(), QStringLiteral("Kelvora.rus")},
        {"empty SkinFileName", QStringLiteral("Blue.scn"), QString()},
        {"SkinFileName in a missing folder", QStringLiteral("Blue.scn"),
         QStringLiteral("missing/Kelvora.rus")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.situation);
        ui.messages.clear();
        Module1::SkinFileName = c.skinFileName;

        ApplySkin(c.name);

        EXPECT_EQ(ui.messages, std::vector{kChooseSkin});
        EXPECT_EQ(readFile(activeSkin()), kOldActive);
    }

    SCOPED_TRACE("missing Skins folder");
    ui.messages.clear();
    Module1::SkinFileName = QStringLiteral("Kelvora.rus");
    ASSERT_TRUE(QDir(skinsFolder()).removeRecursively());
    ApplySkin(QStringLiteral("Blue.scn"));
    EXPECT_EQ(ui.messages, std::vector{kChooseSkin});
    EXPECT_EQ(readFile(activeSkin()), kOldActive);
    EXPECT_EQ(appFolderFiles(), QStringList{QStringLiteral("Kelvora.rus")});
}

TEST_F(ApplySkinTest, OtherCopyFailuresAreSilentAndLeaveTheActiveFile)
{
    SCOPED_TRACE("source missing from the Skins folder");
    ApplySkin(QStringLiteral("Gone.scn"));
    EXPECT_EQ(readFile(activeSkin()), kOldActive);

    SCOPED_TRACE("source is a folder");
    ASSERT_TRUE(QDir(skinsFolder()).mkdir(QStringLiteral("Folder.scn")));
    ApplySkin(QStringLiteral("Folder.scn"));
    EXPECT_EQ(readFile(activeSkin()), kOldActive);

    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(appFolderFiles(), QStringList{QStringLiteral("Kelvora.rus")});
}

TEST_F(ApplySkinTest, ReadOnlyActiveFileStaysAsItWas)
{
    const QFileDevice::Permissions readOnly =
        QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(activeSkin(), readOnly));

    ApplySkin(QStringLiteral("Blue.scn"));

    EXPECT_EQ(readFile(activeSkin()), kOldActive);
    EXPECT_FALSE(QFileInfo(activeSkin()).permissions().testFlag(QFileDevice::WriteOwner));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(appFolderFiles(), QStringList{QStringLiteral("Kelvora.rus")});
}

TEST_F(ApplySkinTest, LaunchRunsAfterTheMessageWithTheActiveFileUnchanged)
{
    Module1::RunKLVAfterApply = QStringLiteral("1");
    const MarkerViewer viewer(appFolder(), MarkerViewer::Placed::Later);
    ui.onMessage = [&] { viewer.place(); };

    ApplySkin(QString());

    EXPECT_EQ(ui.messages, std::vector{kChooseSkin});
    EXPECT_TRUE(viewer.startsWithin(10s));
    EXPECT_EQ(readFile(activeSkin()), kOldActive);
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
    EXPECT_EQ(launched->path, ViewerExecutablePath());
    EXPECT_FALSE(launched->reason.isEmpty());

    Module1::RunKLVAfterApply = QStringLiteral("1");
    ApplySkin(QStringLiteral("Blue.scn"));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(readFile(activeSkin()), kBlue);
}

TEST_F(LaunchViewerTest, FileThatIsNoProgramFails)
{
    writeFile(ViewerExecutablePath(), "plain text, not a program");
    ASSERT_TRUE(QFile::setPermissions(ViewerExecutablePath(), QFileDevice::ReadOwner |
                                                                  QFileDevice::WriteOwner |
                                                                  QFileDevice::ExeOwner));

    EXPECT_TRUE(LaunchViewer().has_value());
}

} // namespace
