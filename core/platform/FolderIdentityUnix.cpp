#include "FolderIdentity.h"
#include "UnixSupport.h"

#include <cstdlib>
#include <memory>

namespace platform {

Result<std::string> folderIdentity(const std::filesystem::path &folder)
{
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(folder.c_str(), nullptr),
                                                               &std::free);
    if (!resolved)
        return {{}, posix::failureOf(folder)};
    struct stat status;
    if (::stat(resolved.get(), &status) != 0)
        return {{}, posix::failureOf(folder)};
    if (!S_ISDIR(status.st_mode))
        return {{}, Failure{folder, std::make_error_code(std::errc::not_a_directory)}};
    return {resolved.get(), std::nullopt};
}

} // namespace platform
