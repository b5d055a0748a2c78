#pragma once

#include "FileError.h"

#include <QString>

#include <filesystem>

// The description stored inside a skin file: 255 single-byte characters at
// byte offset 581. No other byte of the file is ever read or written.
inline constexpr qint64 kDescriptionOffset = 581;
inline constexpr qsizetype kDescriptionLength = 255;

// The whole field as 255 characters; bytes past the end of a short file read
// as NUL characters. A missing file is a failure: reading creates nothing.
Result<QString> ReadDescription(const std::filesystem::path &path);

// The description as the user sees it: the field as far as its first NUL.
QString ShownDescription(const QString &field);

// Why text cannot be stored as it stands, as a message naming the characters
// the field's code page has no byte for; empty when it can. Callers ask before
// WriteDescription, which would store such characters as "?".
QString DescriptionTextProblem(const QString &text);

// Stores text cut or space-padded to 255 characters. A file shorter than the
// field grows with zero bytes up to its end; a missing file is created.
Status WriteDescription(const std::filesystem::path &path, const QString &text);
