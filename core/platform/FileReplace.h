#pragma once

#include "FileError.h"

#include <QString>

namespace platform {

// Renames the file from over the file to in one step, replacing it, once the
// bytes of from are on the disk.
Status replaceFile(const QString &from, const QString &to);

} // namespace platform
