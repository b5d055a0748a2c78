#pragma once

#include "Failure.h"

#include <filesystem>
#include <string_view>
#include <vector>

namespace platform {

// A file name exactly as the file system gives it: bytes on Unix, UTF-16 on
// Windows. Nothing is decoded, so a name that is not valid text survives.
using NativeName = std::filesystem::path::string_type;

// Names of the regular files in folder (links followed) whose name ends in
// extension (ASCII, such as ".scn") in any letter case, in no particular order.
// Hidden entries (a leading dot on Unix, the hidden or system attribute on
// Windows) and folders are left out. A folder that cannot be read is a failure.
Result<std::vector<NativeName>> visibleFileNames(const std::filesystem::path &folder,
                                                 std::string_view extension);

} // namespace platform
