#pragma once

#include <QPixmap>
#include <QString>

#include <filesystem>
#include <optional>

// The picture in the file, or nothing when it is missing, no regular file, not
// a readable picture, or would need more memory to decode than Qt allows.
std::optional<QPixmap> LoadPreview(const std::filesystem::path &path);
