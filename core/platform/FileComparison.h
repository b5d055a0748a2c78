#pragma once

#include "Failure.h"

#include <filesystem>

namespace platform {

// Whether two regular files hold the same bytes: their sizes first, then their
// bytes a piece at a time, up to the first difference. Anything but a regular
// file is a failure, found without waiting on it.
Result<bool> sameContents(const std::filesystem::path &first, const std::filesystem::path &second);

} // namespace platform
