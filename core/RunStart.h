#pragma once

// What every run does first, the window's and the command line's alike, once
// the application folder is in use: the four settings are read into their
// copies, once, here; then the temporary files a killed run left behind are
// removed from the folders those settings name.
enum class Leftovers
{
    RemovedNow,
    RemovedInBackground, // off the caller's thread; the program waits for it before it ends
};
void StartRun(Leftovers leftovers);
