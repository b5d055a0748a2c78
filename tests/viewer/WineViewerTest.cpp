// The viewer as a Linux user has it: a Windows program run by Wine. Here the
// Win32 stand-in (tools/win32_viewer) is the application folder's Kelvora.exe,
// started in the Wine prefix of the tests that CTest prepares, and reporting
// to Kelvora.report beside itself: its windows, minimised or not, and each
// request to close that reached it.

#include "LaunchViewer.h"
#include "platform/ProgramStart.h"
#include "PlatformEdge.h"
#include "ViewerTest.h"

#include <QFile>
#include <QTest>

#include <csignal>

namespace {

using namespace std::chrono_literals;

// Bounds that only keep a failing test from hanging: Wine may first have to
// start its own services.
constexpr int kStartLimitMilliseconds = 30000;
constexpr auto kEndLimit = 20s;

constexpr std::string_view kTitle = "Kelvora";

class WineViewerTest : public ViewerTest
{
protected:
    void SetUp() override
    {
        ViewerTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_TRUE(QFile::copy(QStringLiteral(KSM_WIN32_VIEWER), viewer()));
        writeFile(report(), {});
    }

    void TearDown() override
    {
        endEveryViewer();
        ViewerTest::TearDown();
    }

    QString viewer() const { return appFolder() + QStringLiteral("/Kelvora.exe"); }
    QString report() const { return appFolder() + QStringLiteral("/Kelvora.report"); }

    // Whole lines only: the viewer may be writing the last one.
    QStringList reportLines() const
    {
        QStringList lines = QString::fromUtf8(readFile(report())).split(u'\n');
        lines.removeLast();
        return lines;
    }

    // The line of the viewer's count-th window, once it has been shown and
    // the display has a window of that title (Wine may not have told it yet).
    QString windowLine(qsizetype count) const
    {
        QStringList windows;
        const bool shown = QTest::qWaitFor(
            [&] {
                windows.clear();
                for (const QString &line : reportLines()) {
                    if (line.startsWith(QStringLiteral("window ")))
                        windows.push_back(line);
                }
                return windows.size() >= count &&
                       platform::WindowServices().findTopLevelWindow(kTitle) != 0;
            },
            kStartLimitMilliseconds);
        return shown ? windows[count - 1] : QString();
    }

    // Ends what this test left running, each viewer found as closing finds it.
    static void endEveryViewer()
    {
        const platform::WindowServices windows;
        while (const platform::WindowHandle window = windows.findTopLevelWindow(kTitle)) {
            const platform::ProcessId id = windows.processIdOf(window);
            const platform::ProcessReference process = windows.openProcess(id);
            ASSERT_FALSE(process.isNull()) << "a window titled Kelvora without its process";
            ::kill(pid_t(id), SIGKILL);
            ASSERT_TRUE(windows.waitForEnd(process, kEndLimit));
        }
    }
};

TEST_F(WineViewerTest, ApplyClosesTheViewerCopiesTheSkinAndStartsItAgainMinimised)
{
    Module1::KillKelvoraEnable = QStringLiteral("1");
    Module1::RunKLVAfterApply = QStringLiteral("1");
    ASSERT_FALSE(LaunchViewer());
    const QString first = windowLine(1);
    ASSERT_TRUE(first.endsWith(QStringLiteral(" iconic"))) << first.toStdString();
    const platform::WindowServices windows;
    const platform::ProcessReference running =
        windows.openProcess(windows.processIdOf(windows.findTopLevelWindow(kTitle)));
    ASSERT_FALSE(running.isNull());

    ApplySkin("Blue.scn");

    EXPECT_TRUE(windows.waitForEnd(running, 0ms)) << "the apply went on before the viewer ended";
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(readFile(activeSkin()), kBlue);
    const QString second = windowLine(2);
    EXPECT_TRUE(second.endsWith(QStringLiteral(" iconic"))) << second.toStdString();
    EXPECT_EQ(reportLines(), QStringList({first, QStringLiteral("close requested"), second}));
}

TEST_F(WineViewerTest, ViewerThatRefusesIsReportedAfterTheWaitAndTheCopyFollows)
{
    SetViewerWaitLimitForTesting(1s);
    ASSERT_FALSE(platform::startProgram(ToNativePath(viewer()), {"--refuse-close"}));
    ASSERT_FALSE(windowLine(1).isEmpty());

    applyPastARefusingViewer();

    EXPECT_EQ(reportLines().count(QStringLiteral("close requested")), 1);
    EXPECT_NE(platform::WindowServices().findTopLevelWindow(kTitle), 0u);
}

} // namespace
