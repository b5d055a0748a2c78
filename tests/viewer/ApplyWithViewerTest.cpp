#include "MarkerViewer.h"
#include "StandInViewer.h"
#include "ViewerTest.h"

namespace {

using namespace std::chrono_literals;

using ApplyWithViewerTest = ViewerTest;

TEST_F(ApplyWithViewerTest, NothingSelectedWithBothFlagsOnClosesReportsAndLaunches)
{
    Module1::KillKelvoraEnable = QStringLiteral("1");
    Module1::RunKLVAfterApply = QStringLiteral("1");
    StandInViewer running({QStringLiteral("--close-delay"), QStringLiteral("200")});
    ASSERT_NE(running.window(), 0u);
    const MarkerViewer launched(appFolder(), MarkerViewer::Placed::Later);
    bool closedBeforeTheMessage = false;
    ui.onMessage = [&] {
        closedBeforeTheMessage = running.hasEnded();
        launched.place();
    };

    ApplySkin({});

    EXPECT_EQ(ui.messages, std::vector{kChooseSkin});
    EXPECT_TRUE(closedBeforeTheMessage);
    EXPECT_TRUE(launched.startsWithin(10s));
    EXPECT_EQ(readFile(activeSkin()), kOldActive);
}

TEST_F(ApplyWithViewerTest, ViewerThatStaysIsReportedAndTheCopyFollowsTheMessage)
{
    SetViewerWaitLimitForTesting(300ms);
    StandInViewer running({QStringLiteral("--refuse-close")});
    ASSERT_NE(running.window(), 0u);

    applyPastARefusingViewer();
}

// The close error is said with the history's lock released: another copy
// applies meanwhile, and this apply goes on after it, keeping what that one
// applied.
TEST_F(ApplyWithViewerTest, AnotherCopyAppliesWhileTheCloseErrorIsShown)
{
    SetViewerWaitLimitForTesting(300ms);
    SetHistoryLockWaitForTesting(100ms);
    Module1::KillKelvoraEnable = QStringLiteral("1");
    StandInViewer running({QStringLiteral("--refuse-close")});
    ASSERT_NE(running.window(), 0u);
    writeFile(skin(QStringLiteral("Red.scn")), "red");
    bool otherCopyApplied = false;
    ui.onMessage = [&] {
        if (std::exchange(otherCopyApplied, true))
            return;
        Module1::KillKelvoraEnable = QStringLiteral("0"); // that copy leaves the viewer be
        ApplySkin("Red.scn");
        Module1::KillKelvoraEnable = QStringLiteral("1");
    };

    ApplySkin("Blue.scn");

    SetHistoryLockWaitForTesting(kHistoryLockWait);
    EXPECT_EQ(ui.messages, std::vector{kCloseError});
    EXPECT_EQ(readFile(activeSkin()), kBlue);
    EXPECT_EQ(shownHistory(),
              (QStringList{QStringLiteral("Red.scn"), QStringLiteral("неизвестный скин")}));
}

class FlagsOffTest : public ViewerTest, public testing::WithParamInterface<const char *>
{
};

TEST_P(FlagsOffTest, ApplyOnlyCopies)
{
    Module1::KillKelvoraEnable = QString::fromLatin1(GetParam());
    Module1::RunKLVAfterApply = QString::fromLatin1(GetParam());
    StandInViewer running;
    ASSERT_NE(running.window(), 0u);
    const MarkerViewer launched(appFolder());

    ApplySkin("Blue.scn");

    EXPECT_EQ(readFile(activeSkin()), kBlue);
    EXPECT_FALSE(running.hasEnded());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(launched.startsWithin(500ms));
}

INSTANTIATE_TEST_SUITE_P(ZeroAndTwo, FlagsOffTest, testing::Values("0", "2"));

} // namespace
