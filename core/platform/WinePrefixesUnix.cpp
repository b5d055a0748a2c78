#include "WinePrefixes.h"

#include "DataFolder.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

namespace platform {

namespace {

// The value of an environment variable; empty when it is not set.
std::filesystem::path environmentPath(const char *name)
{
    const char *value = std::getenv(name);
    return value ? std::filesystem::path(value) : std::filesystem::path();
}

} // namespace

bool viewerRunsUnderWine()
{
    return true;
}

std::vector<std::filesystem::path> winePrefixes()
{
    std::vector<std::filesystem::path> prefixes;
    if (const std::filesystem::path named = environmentPath("WINEPREFIX"); !named.empty())
        prefixes.push_back(named);
    const std::filesystem::path home = environmentPath("HOME");
    if (home.empty())
        return prefixes;
    prefixes.push_back(home / ".wine");

    // Where winetricks and its kind keep a prefix per program.
    std::vector<std::filesystem::path> kept;
    if (const std::filesystem::path data = userDataFolder(); !data.empty()) {
        std::error_code error;
        for (std::filesystem::directory_iterator entry(data / "wineprefixes", error), end;
             !error && entry != end; entry.increment(error)) {
            // A link that leads nowhere is no prefix, and no end of the listing.
            std::error_code unreadable;
            if (entry->is_directory(unreadable))
                kept.push_back(entry->path());
        }
    }
    std::sort(kept.begin(), kept.end());
    prefixes.insert(prefixes.end(), kept.begin(), kept.end());
    return prefixes;
}

} // namespace platform
