#include "ThumbnailFolder.h"

#include <cstdlib>

namespace platform {

namespace {

// An environment variable that names an absolute path; empty otherwise, as the
// base directory standard asks for a relative one to be ignored.
std::filesystem::path absoluteFromEnvironment(const char *name)
{
    const char *value = std::getenv(name);
    if (!value)
        return {};
    std::filesystem::path path(value);
    return path.is_absolute() ? path : std::filesystem::path();
}

} // namespace

std::filesystem::path sharedThumbnailFolder()
{
    if (std::filesystem::path cache = absoluteFromEnvironment("XDG_CACHE_HOME"); !cache.empty())
        return cache / "thumbnails";
    if (std::filesystem::path home = absoluteFromEnvironment("HOME"); !home.empty())
        return home / ".cache" / "thumbnails";
    return {};
}

} // namespace platform
