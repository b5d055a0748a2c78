#pragma once

#include "FileError.h"

#include <filesystem>

// Copies source over destination, creating or replacing it. The bytes go to a
// temporary file beside the destination, which replaces it in one step only
// once the whole copy is on the disk: after any failure the destination is
// byte for byte as it was. A read-only destination is a failure. A symbolic
// link is written through to its target, and a replaced file keeps its
// permissions.
Status CopyFileReplacing(const std::filesystem::path &source,
                         const std::filesystem::path &destination);
