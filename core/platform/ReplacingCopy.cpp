#include "ReplacingCopy.h"

namespace platform {

bool leadsNowhere(const std::filesystem::path &path)
{
    if (path.empty() || !path.has_filename())
        return true;
    std::error_code error;
    return !std::filesystem::is_directory(
        path.has_parent_path() ? path.parent_path() : std::filesystem::path("."), error);
}

} // namespace platform
