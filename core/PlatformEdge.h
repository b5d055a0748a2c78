#pragma once

// Where core meets the platform layer: Qt's texts on this side, the standard
// library's paths, native names and failures on the other.

#include "FileError.h"
#include "platform/Failure.h"

#include <QString>

#include <filesystem>
#include <string_view>

std::filesystem::path ToNativePath(const QString &path);
QString FromNativePath(const std::filesystem::path &path);
// A path as the user reads it: in the system's own separators.
QString ShownPath(const std::filesystem::path &path);

// A file name as the file system gave it; bytes that are no text in the
// file system's encoding become replacement characters.
QString FromNativeName(const std::filesystem::path::string_type &name);

// A command line's argument as text that keeps every byte of it, and back: on
// Unix each byte that is no UTF-8 text becomes a lone surrogate U+DC80 to
// U+DCFF, which no text holds; Windows' arguments are UTF-16 already.
QString FromNativeArgument(const std::filesystem::path::string_type &argument);
std::filesystem::path::string_type ToNativeArgument(const QString &argument);

// Whether a path that the toolkit gave as text (a file dialog's choice) may
// lead elsewhere than to the file the user saw: a folder on its way holds
// another name that decodes to the same text, a name that is no text in the
// file system's encoding. Never so where names are text (Windows).
bool MayNameAnotherFile(const QString &path);

// The length of the well-formed UTF-8 sequence at the start of bytes, with its
// character; 0 when the bytes there are no text.
std::size_t Utf8Sequence(std::string_view bytes, char32_t &c);

FileError ToFileError(const platform::Failure &failure);
Status ToStatus(const platform::Status &status);
