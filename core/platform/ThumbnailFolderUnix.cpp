#include "ThumbnailFolder.h"

#include "UnixSupport.h"

namespace platform {

std::filesystem::path sharedThumbnailFolder()
{
    if (std::filesystem::path cache = posix::absoluteFromEnvironment("XDG_CACHE_HOME");
        !cache.empty())
        return cache / "thumbnails";
    if (std::filesystem::path home = posix::absoluteFromEnvironment("HOME"); !home.empty())
        return home / ".cache" / "thumbnails";
    return {};
}

} // namespace platform
