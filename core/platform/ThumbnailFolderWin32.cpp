#include "ThumbnailFolder.h"

namespace platform {

std::filesystem::path sharedThumbnailFolder()
{
    // Windows keeps its thumbnails in a database of its own, not shared this way.
    return {};
}

} // namespace platform
