#pragma once

#include "FileError.h"

#include <QString>

#include <optional>

struct CopyFailure
{
    FileError error;
    // The path leads to no file location: it ends in the separator, so it
    // names no file, or its folder does not exist.
    bool pathNotFound = false;
};

// Copies source over destination, creating or replacing it. The bytes go to a
// temporary file beside the destination, which replaces it in one step only
// once the whole copy has succeeded: after any failure the destination is byte
// for byte as it was. A read-only destination (its owner may not write it, by
// its permission bits, so even for root) is a failure. A symbolic link is
// written through to its target, and a replaced file keeps its permissions.
std::optional<CopyFailure> CopyFileReplacing(const QString &source, const QString &destination);
