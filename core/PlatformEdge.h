#pragma once

// Where core meets the platform layer: Qt's texts on this side, the standard
// library's paths, native names and failures on the other.

#include "FileError.h"
#include "platform/Failure.h"

#include <QString>

#include <filesystem>

std::filesystem::path ToNativePath(const QString &path);
QString FromNativePath(const std::filesystem::path &path);

// A file name as the file system gave it; bytes that are no text in the
// file system's encoding become replacement characters.
QString FromNativeName(const std::filesystem::path::string_type &name);

FileError ToFileError(const platform::Failure &failure);
Status ToStatus(const platform::Status &status);
