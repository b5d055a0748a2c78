#pragma once

#include "FileError.h"

#include <QString>

namespace platform {

// Starts the program at path with no arguments and does not wait for it.
// Where windows have a show command it opens minimised, with the focus.
Status startProgram(const QString &path);

} // namespace platform
