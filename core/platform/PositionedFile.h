#pragma once

// Byte access at a position of a file, opened and closed within each call.
// Anything but a regular file (a folder, a named pipe, a device) is refused
// without waiting on it.

#include "Failure.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// Up to length bytes at offset; fewer where the file ends before. A file that
// allows only reading is read all the same; a missing one is a failure, and
// is not created.
Result<std::string> readAt(const std::filesystem::path &path, std::uint64_t offset,
                           std::size_t length);

// Writes all the bytes at offset, creating a missing file; a gap between the
// file's end and offset becomes zero bytes. A write that fails leaves the file
// at its old size.
Status writeAt(const std::filesystem::path &path, std::uint64_t offset, std::string_view bytes);

} // namespace platform
