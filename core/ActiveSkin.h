#pragma once

#include "FileError.h"
#include "SkinLibrary.h"

#include <filesystem>
#include <vector>

// The active skin file: replacing it so that the file it replaces is kept, and
// finding the skins whose bytes it holds. Both take their paths as arguments
// and touch nothing but files, so they can run off the user interface's thread.

// Replaces active with a copy of source; the file it replaces becomes
// previous. At every moment active is the old file or the whole new one, and
// previous the file it was or the one active was. Only the new active file is
// waited for to reach the disk: after a crash previous may be the older one.
// Without an active file, source is copied and previous stays as it is; when
// source is previous itself (an undo), the two change places.
Status ReplaceActiveSkin(const std::filesystem::path &source, const std::filesystem::path &active,
                         const std::filesystem::path &previous);

// The file names of the skins (of folder) whose bytes equal active's: sizes
// are compared first, contents only where a size matches. None when active
// cannot be read.
std::vector<std::filesystem::path> SkinsEqualTo(const std::filesystem::path &active,
                                                const std::filesystem::path &folder,
                                                const std::vector<SkinName> &skins);
