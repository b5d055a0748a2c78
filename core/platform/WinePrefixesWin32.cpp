#include "WinePrefixes.h"

namespace platform {

bool viewerRunsUnderWine()
{
    return false;
}

std::vector<std::filesystem::path> winePrefixes()
{
    return {};
}

} // namespace platform
