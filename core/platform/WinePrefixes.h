#pragma once

// Where the viewer, a Windows program, is installed when this program does
// not run beside it.

#include <filesystem>
#include <vector>

namespace platform {

// Whether the viewer runs under Wine here, installed in a prefix of its own
// rather than in this program's folder: true on Linux. On Windows the program
// sits in the viewer's folder and looks nowhere else.
bool viewerRunsUnderWine();

// The Wine prefixes of this user, in this order: $WINEPREFIX, ~/.wine, and
// each folder of $XDG_DATA_HOME/wineprefixes (~/.local/share/wineprefixes),
// the last sorted by name. A prefix may not exist; none on Windows.
std::vector<std::filesystem::path> winePrefixes();

} // namespace platform
