#pragma once

#include "platform/FileIdentity.h"

#include <QCache>
#include <QImage>
#include <QObject>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

// The pictures of the gallery's cells: decoded off the window's thread at the
// size they are shown, a few at a time, the cells asked for first; kept in
// memory up to a bound, the least recently used going first, each with the
// version of the file it was read from, so that a file changed since is read
// again. On Linux each picture also goes through the desktop's shared
// thumbnail cache, stored there when the processor is otherwise idle.
class ThumbnailLoader : public QObject
{
    Q_OBJECT

public:
    // The most memory the pictures take: those kept, those being decoded and
    // those waiting to be stored.
    static constexpr qsizetype kMemoryBound = 32 * 1024 * 1024;

    explicit ThumbnailLoader(QObject *parent = nullptr);
    // Drops what waits; what is being decoded or stored is dropped when it
    // ends. Nothing is waited for.
    ~ThumbnailLoader() override;

    // The picture of the file fitted into side × side pixels: null while it is
    // not decoded (or was dropped from memory since); a null image when the
    // file holds no picture that can be read.
    const QImage *find(const std::filesystem::path &picture, int side) const;

    // Decodes these pictures, in this order, unless they are being decoded;
    // those in memory are read again only when their file changed since.
    // What waits from before and is not among them is dropped.
    void want(const std::vector<std::filesystem::path> &pictures, int side);

    struct Wish
    {
        std::filesystem::path picture;
        int side = 0;
        bool known = false; // a picture of it is in memory, or on its way, read from:
        std::optional<platform::FileVersion> version;
    };
    struct Work; // what the loader shares with the decoders, which may outlive it

signals:
    // The picture of this file came into memory.
    void decoded(const std::filesystem::path &picture);

private:
    struct Kept
    {
        QImage image;
        std::optional<platform::FileVersion> version;
        std::uint64_t ticket; // the later a decode began, the higher
    };

    void keep(const Wish &wish, std::uint64_t ticket,
              const std::optional<platform::FileVersion> &version, const QImage &image);

    QCache<QByteArray, Kept> memory_;
    std::shared_ptr<Work> work_;
};
