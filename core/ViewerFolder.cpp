#include "ViewerFolder.h"

#include "AppFolder.h"
#include "platform/WinePrefixes.h"
#include "Settings.h"
#include "SkinLibrary.h"

#include <algorithm>
#include <set>
#include <system_error>

namespace {

// Also "Program Files (x86)".
const std::filesystem::path kProgramsFolders = "Program Files";
// Program Files/maker/program/bin is as deep as installers go.
constexpr int kDeepest = 3;
constexpr int kMostFoldersRead = 10'000;

// One search through the prefixes. Each prefix has a budget of folders to read
// of its own, so that a large one hides none of the others.
class InstallationSearch
{
public:
    std::vector<std::filesystem::path> inPrefix(const std::filesystem::path &prefix)
    {
        foldersLeft_ = kMostFoldersRead;
        std::vector<std::filesystem::path> found;
        for (const std::filesystem::path &programs : subfolders(prefix / "drive_c"))
            if (programs.filename().native().starts_with(kProgramsFolders.native()))
                search(programs, 0, found);
        std::sort(found.begin(), found.end());
        std::erase_if(found, [this](const std::filesystem::path &folder) {
            std::error_code unresolved;
            const std::filesystem::path real = std::filesystem::canonical(folder, unresolved);
            return !unresolved && !seen_.insert(real).second;
        });
        return found;
    }

private:
    void search(const std::filesystem::path &folder, int depth,
                std::vector<std::filesystem::path> &found)
    {
        if (HoldsViewer(folder))
            found.push_back(folder);
        if (depth < kDeepest)
            for (const std::filesystem::path &subfolder : subfolders(folder))
                search(subfolder, depth + 1, found);
    }

    // The folders in this one that are no links, while the budget lasts.
    std::vector<std::filesystem::path> subfolders(const std::filesystem::path &folder)
    {
        std::vector<std::filesystem::path> folders;
        std::error_code error;
        for (std::filesystem::directory_iterator entry(folder, error), end;
             !error && entry != end && foldersLeft_ > 0; entry.increment(error)) {
            std::error_code unreadable;
            if (!entry->is_symlink(unreadable) && entry->is_directory(unreadable)) {
                folders.push_back(entry->path());
                --foldersLeft_;
            }
        }
        return folders;
    }

    int foldersLeft_ = 0;
    std::set<std::filesystem::path> seen_; // the same folder through two prefixes
};

} // namespace

std::vector<std::filesystem::path>
FindViewerInstallations(const std::vector<std::filesystem::path> &prefixes)
{
    InstallationSearch search;
    std::vector<std::filesystem::path> found;
    for (const std::filesystem::path &prefix : prefixes) {
        std::vector<std::filesystem::path> inPrefix = search.inPrefix(prefix);
        found.insert(found.end(), inPrefix.begin(), inPrefix.end());
    }
    return found;
}

ViewerFolderLookup LookUpViewerFolder()
{
    ViewerFolderLookup lookup;
    lookup.settled = true;
    if (!platform::viewerRunsUnderWine())
        return lookup;
    if (std::filesystem::path remembered = RememberedViewerFolder(); !remembered.empty()) {
        if (IsViewerFolder(remembered)) {
            lookup.folder = std::move(remembered);
            return lookup;
        }
        lookup.vanished = std::move(remembered); // asked again rather than guessed
    } else if (IsViewerFolder(ProgramFolder())) {
        return lookup;
    }
    lookup.settled = false;
    lookup.found = FindViewerInstallations(platform::winePrefixes());
    return lookup;
}
