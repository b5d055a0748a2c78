#include "ViewerStandIn.h"

#include "platform/ProgramStart.h"

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#endif

using namespace std::chrono_literals;

namespace {

constexpr auto kStartLimit = 20s;

// Whole lines only: the program may be writing the last one.
std::vector<std::string> linesOf(const fs::path &report)
{
    std::istringstream text(readFile(report));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line) && !text.eof();)
        lines.push_back(line);
    return lines;
}

void endProcess(platform::ProcessId id)
{
#ifdef _WIN32
    if (const HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, id)) {
        TerminateProcess(process, 1);
        CloseHandle(process);
    }
#else
    kill(pid_t(id), SIGKILL);
#endif
}

} // namespace

ViewerStandIn::ViewerStandIn(std::vector<std::string> arguments)
    : report_(folder_ / "report.txt")
{
#ifndef _WIN32
    // On the display of the test, whatever platform Qt tests use; a tool of
    // the tests, so its leaks are not reported.
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
#endif
    arguments.insert(arguments.end(), {"--report", utf8(report_)});
    const platform::Status started = platform::startProgram(KSM_STAND_IN_VIEWER, arguments);
    EXPECT_FALSE(started) << started->reason();
    if (started)
        return;
    for (const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
         std::chrono::steady_clock::now() < deadline; std::this_thread::sleep_for(10ms)) {
        const std::vector<std::string> lines = linesOf(report_);
        if (lines.empty())
            continue;
        std::istringstream words(lines.front());
        std::string window, process, state;
        words >> window >> this->window >> process >> this->process >> state;
        startedIconic = state == "iconic";
        EXPECT_EQ(window + process, "windowprocess") << lines.front();
        return;
    }
    ADD_FAILURE() << "the stand-in viewer showed no window within the bound";
}

ViewerStandIn::~ViewerStandIn()
{
    if (process == 0)
        return;
    const platform::WindowServices services;
    const platform::ProcessReference running = services.openProcess(process);
    if (running.isNull())
        return;
    endProcess(process);
    services.waitForEnd(running, kStartLimit);
}

bool ViewerStandIn::closeRequested() const
{
    for (const std::string &line : linesOf(report_)) {
        if (line == "close requested")
            return true;
    }
    return false;
}

bool ViewerStandIn::hasEnded() const
{
    const platform::WindowServices services;
    const platform::ProcessReference running = services.openProcess(process);
    return running.isNull() || services.waitForEnd(running, 0ms);
}
