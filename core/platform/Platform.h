#pragma once

// Facts of the running program on its platform. One implementation file per
// platform is chosen by the build; nothing else in the program tests the platform.

#include "Failure.h"

#include <filesystem>

namespace platform {

// Readies the process for its first window: on Windows, loads the common
// controls that windows are drawn with. Called once, before any window exists.
void prepareUserInterface();

// Lets the program write to the console it was started from. A windowed
// program on Windows has no console of its own: it takes its parent's, when
// there is one, showing text in the system's ANSI code page. Nothing to do
// elsewhere.
void useStartingConsole();

// The executable file of the running program, as the system knows it; a
// failure when the system cannot tell.
Result<std::filesystem::path> executablePath();

// Organisation and application names (UTF-8) of the per-user settings store.
struct SettingsLocation
{
    const char *organization;
    const char *application;
};
SettingsLocation settingsLocation();

} // namespace platform
