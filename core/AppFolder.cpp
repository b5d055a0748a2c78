#include "AppFolder.h"

#include "platform/Platform.h"
#include "PlatformEdge.h"

namespace {
std::filesystem::path &folderOverride()
{
    static std::filesystem::path folder;
    return folder;
}
} // namespace

Result<std::filesystem::path> FindApplicationFolder()
{
    if (!folderOverride().empty())
        return Result<std::filesystem::path>::success(folderOverride());
    const platform::Result<std::filesystem::path> executable = platform::executablePath();
    if (!executable.ok())
        return {{}, ToFileError(*executable.failure)};
    return Result<std::filesystem::path>::success(executable.value.parent_path());
}

std::filesystem::path ApplicationFolder()
{
    return FindApplicationFolder().value;
}

void UseApplicationFolder(const std::filesystem::path &folder)
{
    folderOverride() = folder;
}
