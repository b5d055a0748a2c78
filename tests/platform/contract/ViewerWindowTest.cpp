// Finding the viewer's window, asking it to close and waiting for its process;
// starting the viewer. Each case puts windows titled "Kelvora" on the display,
// so these run one at a time.

#include "ViewerStandIn.h"

#include "platform/ProgramStart.h"

#include <chrono>
#include <cstdlib>

namespace {

using namespace std::chrono_literals;
using platform::WindowServices;

constexpr std::string_view kTitle = "Kelvora";

class ViewerWindow : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!services.connected())
            GTEST_SKIP() << "no window system could be reached; ./test starts Xvfb";
        ASSERT_EQ(services.findTopLevelWindow(kTitle), 0u) << "a viewer is already running";
    }

    // Asks the window to close and waits for its process, as closing the viewer does.
    bool closeAndWait(platform::WindowHandle window, std::chrono::milliseconds limit) const
    {
        const platform::ProcessReference process =
            services.openProcess(services.processIdOf(window));
        EXPECT_FALSE(process.isNull());
        services.postCloseRequest(window);
        return services.waitForEnd(process, limit);
    }

    const WindowServices services;
};

TEST_F(ViewerWindow, IsFoundByItsWholeTitleIgnoringCase)
{
    const struct
    {
        const char *title;
        bool found;
    } cases[] = {
        {"Kelvora", true}, {"KELVORA", true},
        {"kelvora", true}, {"Kelvora - Новости", false},
        {"Kelvor", false}, {"Новости Kelvora", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.title);
        const ViewerStandIn viewer({"--title", c.title});
        ASSERT_NE(viewer.window, 0u);
        const platform::WindowHandle found = services.findTopLevelWindow(kTitle);
        EXPECT_EQ(found, c.found ? viewer.window : 0u);
        if (c.found) {
            EXPECT_EQ(services.processIdOf(found), viewer.process);
        }
    }
}

TEST_F(ViewerWindow, CloseRequestReachesItAndItsProcessEndsWithinTheWait)
{
    const ViewerStandIn viewer({"--close-delay", "300"});
    ASSERT_NE(viewer.window, 0u);

    EXPECT_TRUE(closeAndWait(services.findTopLevelWindow(kTitle), 20s));

    EXPECT_TRUE(viewer.closeRequested());
    EXPECT_TRUE(viewer.hasEnded());
    EXPECT_FALSE(services.isWindow(viewer.window));
    EXPECT_EQ(services.findTopLevelWindow(kTitle), 0u);
}

TEST_F(ViewerWindow, ViewerThatRefusesKeepsTheWaitToItsBoundAndIsStillThere)
{
    const ViewerStandIn viewer({"--refuse-close"});
    ASSERT_NE(viewer.window, 0u);

    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(closeAndWait(viewer.window, 300ms));
    const auto waited = std::chrono::steady_clock::now() - start;

    EXPECT_GE(waited, 300ms);
    EXPECT_LT(waited, 10s);
    EXPECT_TRUE(viewer.closeRequested());
    EXPECT_FALSE(viewer.hasEnded());
    EXPECT_EQ(services.findTopLevelWindow(kTitle), viewer.window);
    EXPECT_TRUE(services.isWindow(viewer.window));
}

TEST_F(ViewerWindow, OfTwoViewersTheOneFoundClosesAndTheOtherIsFoundAfter)
{
    const ViewerStandIn first;
    const ViewerStandIn second;
    ASSERT_NE(first.window, 0u);
    ASSERT_NE(second.window, 0u);

    const platform::WindowHandle found = services.findTopLevelWindow(kTitle);
    ASSERT_TRUE(found == first.window || found == second.window);
    EXPECT_TRUE(closeAndWait(found, 20s));

    const ViewerStandIn &other = found == first.window ? second : first;
    EXPECT_EQ(services.findTopLevelWindow(kTitle), other.window);
    EXPECT_TRUE(services.isWindow(other.window));
    EXPECT_FALSE(other.hasEnded());
}

// The stand-in runs on after the start has returned. Where windows have a
// show command, it is asked to open minimised.
TEST_F(ViewerWindow, ViewerIsStartedMinimisedAndNotWaitedFor)
{
    const ViewerStandIn viewer;
    ASSERT_NE(viewer.window, 0u);
    EXPECT_FALSE(viewer.hasEnded());
#ifdef _WIN32
    EXPECT_TRUE(viewer.startedIconic);
#endif
}

#ifndef _WIN32
TEST_F(ViewerWindow, WithoutAnXServerNothingIsFound)
{
    const ViewerStandIn viewer({"--refuse-close"});
    ASSERT_NE(viewer.window, 0u);
    const std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";

    for (const char *unreachable : {"", ":4095"}) {
        SCOPED_TRACE(unreachable);
        setenv("DISPLAY", unreachable, 1);
        const WindowServices elsewhere;
        EXPECT_FALSE(elsewhere.connected());
        EXPECT_EQ(elsewhere.findTopLevelWindow(kTitle), 0u);
        EXPECT_FALSE(elsewhere.isWindow(viewer.window));
    }
    setenv("DISPLAY", display.c_str(), 1);
}
#endif

} // namespace
