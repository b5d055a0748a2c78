#include "AppFolder.h"

#include "platform/Platform.h"
#include "PlatformEdge.h"

namespace {
std::filesystem::path &folderOverride()
{
    static std::filesystem::path folder;
    return folder;
}

// The folder of the running executable, as the system names it, or why the
// system cannot tell.
Result<std::filesystem::path> findProgramFolder()
{
    const platform::Result<std::filesystem::path> executable = platform::executablePath();
    if (!executable.ok())
        return {{}, ToFileError(*executable.failure)};
    return {executable.value.parent_path(), std::nullopt};
}

Result<std::filesystem::path> findApplicationFolder()
{
    if (!folderOverride().empty())
        return {folderOverride(), std::nullopt};
    return findProgramFolder();
}
} // namespace

std::filesystem::path ApplicationFolder()
{
    return findApplicationFolder().value;
}

std::filesystem::path ProgramFolder()
{
    return findProgramFolder().value;
}

Status UseApplicationFolder(const std::filesystem::path &folder)
{
    folderOverride() = folder;
    return findApplicationFolder().error;
}
