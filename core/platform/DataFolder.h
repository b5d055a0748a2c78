#pragma once

// Where the user's programs keep data of their own.

#include <filesystem>

namespace platform {

// The folder that holds each program's data folder, as the environment names
// it, byte for byte: on Linux $XDG_DATA_HOME, else ~/.local/share (the base
// directory standard, which ignores a relative path); on Windows the local
// application data folder. Empty when none can be named.
std::filesystem::path userDataFolder();

} // namespace platform
