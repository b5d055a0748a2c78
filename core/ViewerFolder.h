#pragma once

#include <filesystem>
#include <vector>

// The folders under drive_c/Program Files* of these Wine prefixes, down to a
// few levels, that hold the viewer; each once, in the prefixes' order and by
// name within a prefix. Links to folders are not followed (a prefix links to
// the user's home), folders that cannot be read are passed over, and the
// search reads a bounded number of folders in each prefix, so that it ends soon
// however large a prefix is.
std::vector<std::filesystem::path>
FindViewerInstallations(const std::vector<std::filesystem::path> &prefixes);

// Where the program works when its command line names no folder.
struct ViewerFolderLookup
{
    bool settled = false;
    std::filesystem::path folder;             // when settled; empty: the program's own folder
    std::vector<std::filesystem::path> found; // the installations to choose from
    std::filesystem::path vanished;           // a remembered folder that is the viewer's no more
};

// The program's own folder where the viewer does not run under Wine (on
// Windows it sits in the viewer's folder). Under Wine: the folder the user
// chose, while it is still the viewer's; else the program's own folder when it
// is the viewer's; else not settled, with the installations that Wine's
// prefixes hold.
[[nodiscard]] ViewerFolderLookup LookUpViewerFolder();
