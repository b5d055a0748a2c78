#pragma once

// Facts of the running program on its platform. One implementation file per
// platform is chosen by the build; nothing else in the program tests the platform.

#include "Failure.h"

#include <filesystem>

namespace platform {

// Readies the process for its first window: on Windows, loads the common
// controls that windows are drawn with. Called once, before any window exists.
void prepareUserInterface();

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
