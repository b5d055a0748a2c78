#pragma once

#include <QPixmap>
#include <QString>

#include <optional>

// The picture in the file, or nothing when it is missing, not a readable
// picture, or would need more memory to decode than Qt's allocation limit.
std::optional<QPixmap> LoadPreview(const QString &path);
