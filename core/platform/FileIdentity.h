#pragma once

#include <filesystem>

namespace platform {

// Whether both paths lead to one existing file, whatever names they use: links,
// other letter case or short 8.3 names on Windows, hard links. False when
// either is missing or cannot be asked about.
bool isSameFile(const std::filesystem::path &first, const std::filesystem::path &second);

} // namespace platform
