#pragma once

#include <functional>

// Runs work on the program's one thread of idle priority, which only a
// processor nobody else wants runs: reading ahead for the gallery, storing
// thumbnails for the desktop's other programs. Works run one after the other
// in the order they were handed over. Handing over takes no lock, so the
// window's thread never waits for that thread, and nothing ever waits for the
// work: whoever handed it over and goes first has it find that it is no
// longer wanted.
void RunWhenIdle(std::function<void()> work);
