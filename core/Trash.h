#pragma once

#include "FileError.h"

#include <QString>

// Moves the file to the platform's trash, so a deletion can be undone. Where
// there is no trash it is removed for good. A folder is never touched.
Status MoveToTrash(const QString &path);
