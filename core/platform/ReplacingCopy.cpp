#include "ReplacingCopy.h"

#include <initializer_list>

namespace platform {

namespace {
bool pathLeadsNowhere(const std::filesystem::path &path)
{
    if (path.empty() || !path.has_filename())
        return true;
    std::error_code error;
    return !std::filesystem::is_directory(
        path.has_parent_path() ? path.parent_path() : std::filesystem::path("."), error);
}
} // namespace

Status leadsNowhere(const std::filesystem::path &source, const std::filesystem::path &destination)
{
    for (const std::filesystem::path *path : {&source, &destination}) {
        if (pathLeadsNowhere(*path))
            return Failure{*path, FileProblem::leadsNowhere};
    }
    return std::nullopt;
}

} // namespace platform
