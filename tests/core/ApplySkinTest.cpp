#include "ActiveSkin.h"
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

    ApplySkin("Blue.scn");

    EXPECT_EQ(readFile(activeSkin()), kBlue);
    EXPECT_EQ(readFile(skin(QStringLiteral("Blue.scn"))), kBlue);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(appFolderFiles(),
              (QStringList{QStringLiteral("Kelvora.exe"), QStringLiteral("Kelvora.rus"),
                           QStringLiteral("Kelvora.rus.bak")}));
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

// Each apply keeps the file it replaces; an undo swaps the two, so a second
// undo goes forward again.
TEST_F(ApplySkinTest, UndoPutsBackTheFileTheLastApplyReplacedAndASecondUndoGoesForward)
{
    writeFile(skin(QStringLiteral("Red.scn")), "red");
    const QString previous = activeSkin() + QStringLiteral(".bak");
    EXPECT_FALSE(CanUndoApply());

    ApplySkin("Blue.scn");
    ApplySkin("Red.scn");
    EXPECT_EQ(readFile(previous), kBlue);
    ASSERT_TRUE(CanUndoApply());

    UndoApply();
    EXPECT_EQ(readFile(activeSkin()), kBlue);
    EXPECT_EQ(readFile(previous), "red");
    UndoApply();
    EXPECT_EQ(readFile(activeSkin()), "red");
    EXPECT_EQ(readFile(previous), kBlue);
    EXPECT_TRUE(ui.errors.empty());
    EXPECT_EQ(appFolderFiles(),
              (QStringList{QStringLiteral("Kelvora.rus"), QStringLiteral("Kelvora.rus.bak")}));
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
