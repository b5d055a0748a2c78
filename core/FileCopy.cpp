#include "FileCopy.h"

#include "platform/ReplacingCopy.h"
#include "PlatformEdge.h"

Status CopyFileReplacing(const std::filesystem::path &source,
                         const std::filesystem::path &destination)
{
    return ToStatus(platform::copyReplacing(source, destination));
}
