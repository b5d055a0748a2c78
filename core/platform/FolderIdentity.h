#pragma once

#include "Failure.h"

#include <filesystem>
#include <string>

namespace platform {

// Bytes that name an existing folder the same way however a path leads to it
// (links, "..", on Windows letter case and short names), so that two paths
// of one folder give the same bytes and two folders never do.
Result<std::string> folderIdentity(const std::filesystem::path &folder);

} // namespace platform
