#pragma once

#include "FileError.h"
#include "SkinHistory.h"
#include "SkinLibrary.h"

#include <filesystem>
#include <vector>

// The active skin file: replacing it so that the file it replaces is kept, and
// finding the skins whose bytes it holds. Both take their paths as arguments
// and touch nothing but files, so they can run off the user interface's thread.

// What a replacement of the active skin file came to: whether it failed, and
// when it did not, why the file it replaced could not be kept in the history
// and why older entries could not go.
struct Replacement
{
    Status failure;
    Status notKept;
    Status notPruned;
};

// Replaces active with a copy of source, so that active is at every moment
// the old file or the whole new one; the file it replaces is kept in the
// history first, whose lock history holds, named after activeHolder when
// that skin still holds its bytes (see HistoryKeeper::keep). A failed
// replacement keeps nothing; a failure to keep stops no replacement.
[[nodiscard]] Replacement ReplaceActiveSkin(const std::filesystem::path &source,
                                            const std::filesystem::path &active,
                                            const std::filesystem::path &activeHolder,
                                            HistoryKeeper &history);

// The file names of the skins (of folder) whose bytes equal active's: sizes
// are compared first, contents only where a size matches. None when active
// cannot be read.
std::vector<std::filesystem::path> SkinsEqualTo(const std::filesystem::path &active,
                                                const std::filesystem::path &folder,
                                                const std::vector<SkinName> &skins);
