#pragma once

#include "FileError.h"

#include <QByteArray>
#include <QString>

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

// The desktop's shared thumbnail cache (the freedesktop.org thumbnail
// standard): a PNG per picture, named after the MD5 of the picture's URI, in a
// folder per size, which file managers and the gallery fill for each other.

// Where the thumbnail of one picture lives, and the two texts that the PNG
// carries so that a reader can tell whether it still fits the picture.
struct SharedThumbnail
{
    std::filesystem::path file;
    int side = 0;        // the largest width or height of its folder's size
    QByteArray uri;      // "Thumb::URI": the picture's file URI
    QByteArray modified; // "Thumb::MTime": the picture's modification time, in seconds
    // The same time in nanoseconds, a text of this program's own beside the
    // standard's: a picture rewritten within its second is told apart.
    QByteArray exactlyModified;
};

inline constexpr char kThumbnailUriKey[] = "Thumb::URI";
inline constexpr char kThumbnailModifiedKey[] = "Thumb::MTime";
inline constexpr char kThumbnailExactlyModifiedKey[] = "X-KelvoraSkinManager::MTime-ns";

// A text of a thumbnail's PNG, its value in UTF-8.
struct ThumbnailText
{
    QLatin1StringView key;
    QByteArray value;
};

// The texts that a thumbnail this program stores for the entry carries: the
// standard's URI and time, and the exact time beside them.
std::vector<ThumbnailText> ThumbnailTextsFor(const SharedThumbnail &entry);

// Whether a thumbnail whose texts textOf gives (empty where it has none) was
// made from the entry's picture as it is now: its URI and time are the
// entry's, and so is its exact time when it carries one. Other programs'
// thumbnails carry the standard's time alone.
bool ThumbnailFitsEntry(const SharedThumbnail &entry,
                        const std::function<QString(QLatin1StringView key)> &textOf);

// The entry of the picture for a cell of side pixels: in the smallest size of
// the cache that is at least as large (normal 128, large 256, x-large 512,
// xx-large 1024). None where the desktop keeps no shared cache, for a side above
// the largest size, or for a picture whose modification time cannot be read.
std::optional<SharedThumbnail> SharedThumbnailFor(const std::filesystem::path &picture, int side);

// The picture's file URI as the desktop writes it: "file://", then the absolute
// path's bytes, each escaped as %XX unless it is a letter, a digit or one of
// !$&'()*+,-./:=@_~ (GLib's rule, so that other programs find the same entry).
QByteArray PictureUri(const std::filesystem::path &picture);

// Stores the PNG's bytes as the entry's file in one step (a temporary file of
// the program's own form beside it, renamed), readable by the user alone,
// making the cache's folders as needed.
Status StoreSharedThumbnail(const SharedThumbnail &entry, const QByteArray &png);

// The bytes of the entry's file, read only when it is a regular file (never
// waited on, so a named pipe cannot hold the reader) no larger than a
// thumbnail of its size can be.
Result<QByteArray> ReadSharedThumbnail(const SharedThumbnail &entry);

// The cache's folders that the program writes thumbnails to; none where the
// desktop keeps no shared cache.
std::vector<std::filesystem::path> SharedThumbnailFolders();
