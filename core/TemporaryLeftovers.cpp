#include "TemporaryLeftovers.h"

#include "AppFolder.h"
#include "platform/TemporaryFiles.h"
#include "SharedThumbnails.h"
#include "SkinHistory.h"
#include "SkinLibrary.h"

#include <algorithm>

namespace fs = std::filesystem;

std::vector<fs::path> FoldersWrittenTo()
{
    std::vector<fs::path> folders{ApplicationFolder(), SkinsFolderPath()};
    // The entries of the skin history are made under temporary names as well.
    if (const Result<fs::path> history = HistoryFolder(); history.ok())
        folders.push_back(history.value);
    // A copy is made beside the file that the active skin's name leads to.
    if (const fs::path active = UsableActiveSkinPath(); !active.empty()) {
        std::error_code error;
        const fs::path target = fs::weakly_canonical(active, error);
        folders.push_back((error ? active : target).parent_path());
    }
    for (fs::path &thumbnails : SharedThumbnailFolders())
        folders.push_back(std::move(thumbnails));
    std::sort(folders.begin(), folders.end());
    folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
    return folders;
}

void RemoveTemporaryLeftovers(const std::vector<fs::path> &folders)
{
    for (const fs::path &folder : folders)
        platform::removeLeftoverTemporaryFiles(folder);
}
