#include "FileCopy.h"

#include "platform/ReplacingCopy.h"
#include "PlatformEdge.h"

std::optional<CopyFailure> CopyFileReplacing(const QString &source, const QString &destination)
{
    const platform::Status copied =
        platform::copyReplacing(ToNativePath(source), ToNativePath(destination));
    if (!copied)
        return std::nullopt;
    return CopyFailure{ToFileError(*copied), copied->code == platform::FileProblem::leadsNowhere};
}
