#pragma once

#include <filesystem>
#include <vector>

// The temporary files that a run ended half-way (killed, or the machine
// stopped) left behind are removed at the next start, from the folders the
// program writes to. Only the program's own temporary files go, never a file
// it did not make, nor one that a copy at work is still writing.

// The folders the program writes to, as the settings name them now: the
// application folder, the Skins folder, the active skin file's folder, the
// skin history's folder and the shared thumbnail cache's folders.
std::vector<std::filesystem::path> FoldersWrittenTo();

// Removes the leftovers from these folders. It touches nothing but files, so
// it can run off the user interface's thread.
void RemoveTemporaryLeftovers(const std::vector<std::filesystem::path> &folders);
