#pragma once

#include "FileError.h"

#include <QByteArray>
#include <QString>

// Byte access at a position of a file, opened and closed within each call.
namespace platform {

// Up to `length` bytes at `offset`; fewer where the file ends before. The file is
// opened for reading and writing, so a missing one is created empty; a file that
// allows reading only is still read.
Result<QByteArray> readAt(const QString &path, qint64 offset, qsizetype length);

// Writes all the bytes at `offset`, creating a missing file; a gap between the
// file's end and `offset` becomes zero bytes. A write that fails leaves the file
// at its old size.
Status writeAt(const QString &path, qint64 offset, QByteArrayView bytes);

} // namespace platform
