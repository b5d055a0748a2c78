#pragma once

#include <filesystem>
#include <optional>

// The folder the program works on. A folder named on the command line comes
// first; else the one that needs no question; else the window asks the user
// and remembers the answer for the next start. Nothing when the user closes
// the question.
std::optional<std::filesystem::path> ViewerFolderForWindow(const std::filesystem::path &named);

// From the window's menu: asks among the installations found, the folder in
// use selected, and remembers the answer; nothing when cancelled.
std::optional<std::filesystem::path> ChangeViewerFolder();
