#pragma once

// The program's temporary files: a copy on its way to a name is made beside it
// as ".<name>.ksm-XXXXXX.tmp", six letters or digits in place of the X's, so
// that a later start can tell a copy that a killed run left behind from any
// other file. The name is cut in the middle where it would grow too long.

#include "FileListing.h"

#include <filesystem>

namespace platform {

// The name of a temporary file beside destination, with unique (six letters or
// digits) in the place of the X's, which are followed by this many units.
inline constexpr int kTemporarySuffixLength = 4; // ".tmp"
std::filesystem::path temporaryPathBeside(const std::filesystem::path &destination,
                                          const NativeName &unique);

// Whether a file name has the form of the program's temporary files exactly.
bool isTemporaryFileName(const NativeName &name);

// Removes the program's temporary files from folder: regular files (not links)
// of that form that no running copy of the program is writing. Anything else
// stays, and so does a file that cannot be removed: the next start tries again.
void removeLeftoverTemporaryFiles(const std::filesystem::path &folder);

} // namespace platform
