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

TEST_F(ApplySkinTest, NothingSelectedSaysSoAndChangesNothing)
{
    ApplySkin(QString());

    EXPECT_EQ(ui.messages, std::vector{kChooseSkin});
    EXPECT_EQ(readFile(activeSkin()), kOldActive);
}

// A SkinFileName that leads out of the application folder, or onto the
// library or the viewer, is said to be wrong; no file changes and the viewer
// is neither closed nor started.
TEST_F(ApplySkinTest, UnusableSkinFileNameIsReportedAndNothingHappens)
{
    Module1::KillKelvoraEnable = QStringLiteral("1");
    Module1::RunKLVAfterApply = QStringLiteral("1");
    const MarkerViewer viewer(appFolder());
    for (const char *value : {"", ".", "..", "../outside.rus", "Skins/Blue.scn", "/tmp/x.rus",
                              "a\\b.rus", "C:x.rus", "skins", "KELVORA.EXE"}) {
        SCOPED_TRACE(value);
        ui.messages.clear();
        Module1::SkinFileName = QString::fromLatin1(value);

        ApplySkin(QStringLiteral("Blue.scn"));

        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_TRUE(ui.messages[0].text.contains(QStringLiteral("неверное имя файла скина")));
        EXPECT_TRUE(ui.messages[0].text.contains(QString::fromLatin1(value)));
    }
    EXPECT_EQ(readFile(activeSkin()), kOldActive);
    EXPECT_EQ(readFile(skin(QStringLiteral("Blue.scn"))), kBlue);
    EXPECT_FALSE(QFileInfo::exists(root.path() + QStringLiteral("/outside.rus")));
    EXPECT_FALSE(viewer.startsWithin(500ms));
}

// Any other failure is told once, with the path and the system's reason; the
// active skin stays as it was.
TEST_F(ApplySkinTest, CopyFailuresAreReportedWithPathAndReason)
{
    ASSERT_TRUE(QDir(skinsFolder()).mkdir(QStringLiteral("Folder.scn")));
    const struct
    {
        const char *situation;
        QString name;
        QString path;
    } cases[] = {
        {"skin removed after it was selected", QStringLiteral("Gone.scn"),
         skin(QStringLiteral("Gone.scn"))},
        {"skin is a folder", QStringLiteral("Folder.scn"), skin(QStringLiteral("Folder.scn"))},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.situation);
        ui.errors.clear();

        ApplySkin(c.name);

        ASSERT_EQ(ui.errors.size(), 1u);
        EXPECT_EQ(ui.errors[0].path, c.path);
        EXPECT_FALSE(ui.errors[0].reason.isEmpty());
        EXPECT_EQ(readFile(activeSkin()), kOldActive);
    }
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(appFolderFiles(), QStringList{QStringLiteral("Kelvora.rus")});
}

TEST_F(ApplySkinTest, ReadOnlyActiveFileIsReportedAndStaysAsItWas)
{
    const QFileDevice::Permissions readOnly =
        QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(activeSkin(), readOnly));

    ApplySkin(QStringLiteral("Blue.scn"));

    EXPECT_EQ(readFile(activeSkin()), kOldActive);
    EXPECT_FALSE(QFileInfo(activeSkin()).permissions().testFlag(QFileDevice::WriteOwner));
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ui.errors[0].path, activeSkin());
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
