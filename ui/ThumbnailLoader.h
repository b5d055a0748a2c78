#pragma once

#include "SharedThumbnails.h"

#include <QCache>
#include <QImage>
#include <QObject>
#include <QThreadPool>

#include <deque>
#include <filesystem>
#include <mutex>
#include <set>
#include <vector>

// The pictures of the gallery's cells: decoded off the window's thread at the
// size they are shown, a few at a time, the cells asked for first; kept in
// memory up to a bound, the least recently used going first. On Linux each
// picture also goes through the desktop's shared thumbnail cache, stored there
// when the processor is otherwise idle.
class ThumbnailLoader : public QObject
{
    Q_OBJECT

public:
    // The most memory the decoded pictures take.
    static constexpr qsizetype kMemoryBound = 32 * 1024 * 1024;

    explicit ThumbnailLoader(QObject *parent = nullptr);
    // Drops what waits and waits for the pictures being decoded.
    ~ThumbnailLoader() override;

    // The picture of the file fitted into side × side pixels: null while it is
    // not decoded (or was dropped from memory since); a null image when the
    // file holds no picture that can be read.
    const QImage *find(const std::filesystem::path &picture, int side) const;

    // Decodes these pictures, in this order, unless they are in memory or
    // being decoded; what waits from before and is not among them is dropped.
    void want(const std::vector<std::filesystem::path> &pictures, int side);

signals:
    // The picture of this file came into memory.
    void decoded(const std::filesystem::path &picture);

private:
    struct Wish
    {
        std::filesystem::path picture;
        int side;
        auto operator<=>(const Wish &) const = default;
    };
    struct Store
    {
        SharedThumbnail entry;
        QImage image;
    };

    void decode();
    void store();
    void keep(const Wish &wish, const QImage &image);

    QCache<QByteArray, QImage> memory_;
    QThreadPool decoders_;
    QThreadPool storer_;
    std::mutex lock_; // guards what follows
    std::deque<Wish> waiting_;
    std::set<Wish> decoding_;
    std::deque<Store> storing_;
    int decodersBusy_ = 0;
    bool storerBusy_ = false;
};
