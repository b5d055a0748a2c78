#pragma once

// Where the desktop keeps the thumbnails that its programs share.

#include <filesystem>

namespace platform {

// The folder of the desktop's shared thumbnail cache (the freedesktop.org
// thumbnail standard), which file managers read and write too:
// $XDG_CACHE_HOME/thumbnails, else ~/.cache/thumbnails. Empty where the desktop
// keeps no such cache (Windows) or no home folder can be named.
std::filesystem::path sharedThumbnailFolder();

} // namespace platform
