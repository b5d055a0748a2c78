#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>

// Ends a probe's start-up: writes the moment to standard output, on the clock
// every process shares, and ends the process. The benchmark times start-up up
// to this moment rather than to the process's end, because teardown is not
// start-up and costs the program more than its baseline: closing the folder
// watch waits for the kernel for about 10 ms.
[[noreturn]] inline void EndStartUp()
{
    const auto moment = std::chrono::steady_clock::now().time_since_epoch();
    std::printf("%lld\n",
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::nanoseconds>(moment).count()));
    std::fflush(stdout);
    std::_Exit(0);
}
