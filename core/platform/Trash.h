#pragma once

// Deleting a file so that the user can still get it back.

#include "Failure.h"

#include <filesystem>

namespace platform {

// Moves the file (or symbolic link) into the user's trash, from where the
// desktop can restore it. Where no trash can take it (none on its volume, no
// room for its records) it is removed for good, which is what was asked for.
// Nothing waits without bound. A folder is never touched.
Status moveToTrash(const std::filesystem::path &file);

} // namespace platform
