// What closing the viewer finds. How its window is found, asked to close and
// waited for is the platform layer's, tested by tests/platform; here only the
// window manager case, which needs X11 tools, goes further.

#include "StandInViewer.h"
#include "ViewerTest.h"

#include <QStandardPaths>
#include <QTest>

namespace {

using namespace std::chrono_literals;

using CloseViewerTest = ViewerTest;

TEST_F(CloseViewerTest, WithNoViewerRunningReturnsWithNoMessage)
{
    EXPECT_FALSE(Module1::CloseViewer());

    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CloseViewerTest, ViewerThatClosesOnRequestIsWaitedFor)
{
    StandInViewer viewer({QStringLiteral("--close-delay"), QStringLiteral("300")});
    ASSERT_NE(viewer.window(), 0u);

    EXPECT_FALSE(Module1::CloseViewer());

    EXPECT_TRUE(viewer.hasEnded());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CloseViewerTest, ViewerThatRefusesIsFoundStillOpenWhenTheWaitEnds)
{
    SetViewerWaitLimitForTesting(300ms);
    StandInViewer viewer({QStringLiteral("--refuse-close")});
    ASSERT_NE(viewer.window(), 0u);

    EXPECT_TRUE(Module1::CloseViewer());

    EXPECT_FALSE(viewer.hasEnded());
}

// Runs xprop, which the X11 utilities provide, and gives its output.
QString xprop(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("xprop"), arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Whether the window manager has taken the window on: it then carries WM_STATE.
bool isManaged(platform::WindowHandle window)
{
    return QTest::qWaitFor(
        [window] {
            return xprop(
                       {QStringLiteral("-id"), QString::number(window), QStringLiteral("WM_STATE")})
                .contains(QStringLiteral("window state"));
        },
        20000);
}

TEST_F(CloseViewerTest, ViewerUnderAReparentingWindowManagerIsClosed)
{
    const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
    if (openbox.isEmpty())
        GTEST_SKIP() << "openbox is not installed";
    QProcess manager;
    manager.setProcessChannelMode(QProcess::ForwardedChannels);
    manager.start(openbox, {QStringLiteral("--sm-disable")});
    ASSERT_TRUE(manager.waitForStarted());
    // A window mapped while the manager is still starting may never be taken on.
    ASSERT_TRUE(QTest::qWaitFor(
        [] {
            return xprop({QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
                .contains(QStringLiteral("window id"));
        },
        20000));

    {
        SCOPED_TRACE("found through the manager's client list");
        StandInViewer viewer;
        ASSERT_TRUE(isManaged(viewer.window()));
        ASSERT_TRUE(viewer.isFoundAs(QStringLiteral("Kelvora")));
        EXPECT_FALSE(Module1::CloseViewer());
        EXPECT_TRUE(viewer.hasEnded());
    }
    {
        SCOPED_TRACE("found below the manager's frame");
        StandInViewer viewer;
        ASSERT_TRUE(isManaged(viewer.window()));
        xprop({QStringLiteral("-root"), QStringLiteral("-remove"),
               QStringLiteral("_NET_CLIENT_LIST")});
        EXPECT_FALSE(Module1::CloseViewer());
        EXPECT_TRUE(viewer.hasEnded());
    }
    EXPECT_TRUE(ui.messages.empty());

    manager.terminate();
    manager.waitForFinished();
}

} // namespace
