#include "ThumbnailLoader.h"

#include "PlatformEdge.h"
#include "SharedThumbnails.h"
#include "SkinLibrary.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>

#include <algorithm>

namespace {

QByteArray memoryKey(const std::filesystem::path &picture, int side)
{
    const std::u8string name = picture.generic_u8string();
    return QByteArray(reinterpret_cast<const char *>(name.data()), qsizetype(name.size())) + '\0' +
           QByteArray::number(side);
}

// Larger pictures shrink to fit; smaller ones are kept as they are.
QImage fitted(const QImage &image, int side)
{
    if (image.width() <= side && image.height() <= side)
        return image;
    return image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

// The cached thumbnail when it was made from the picture as it is now.
QImage readShared(const SharedThumbnail &entry)
{
    QImageReader reader(FromNativePath(entry.file), "png");
    if (reader.text(QLatin1StringView(kThumbnailUriKey)).toUtf8() != entry.uri ||
        reader.text(QLatin1StringView(kThumbnailModifiedKey)).toUtf8() != entry.modified)
        return {};
    return reader.read();
}

void storeShared(const SharedThumbnail &entry, const QImage &image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    // The texts go with the image: the writer's own texts cannot have a key with a colon.
    QImage thumbnail = image;
    thumbnail.setText(QLatin1StringView(kThumbnailUriKey), QString::fromUtf8(entry.uri));
    thumbnail.setText(QLatin1StringView(kThumbnailModifiedKey), QString::fromUtf8(entry.modified));
    QImageWriter writer(&buffer, "png");
    writer.setQuality(80); // light compression, quick to write
    if (!writer.write(thumbnail))
        return;
    // The shared cache is a courtesy to the desktop's other programs: one that
    // cannot be written costs only a decode next time, and is not the user's concern.
    [[maybe_unused]] const Status ignored = StoreSharedThumbnail(entry, png);
}

// The picture fitted into side × side; null when it cannot be read. A JPEG is
// decoded scaled down, not whole. Pictures go through the shared cache when
// the desktop keeps one, at the size of the cache's folder: a picture decoded
// anew is to be stored there as well.
struct Decoded
{
    QImage shown;
    QImage toStore;
};

Decoded decodePicture(const std::filesystem::path &picture,
                      const std::optional<SharedThumbnail> &shared, int side)
{
    if (shared) {
        if (QImage cached = readShared(*shared); !cached.isNull())
            return {fitted(cached, side), {}};
    }
    Result<QByteArray> bytes = ReadPreviewFile(picture);
    if (!bytes.ok())
        return {};
    QBuffer file(&bytes.value);
    QImageReader reader(&file);
    const int decodedSide = shared ? shared->side : side;
    if (const QSize size = reader.size();
        size.isValid() && (size.width() > decodedSide || size.height() > decodedSide))
        reader.setScaledSize(size.scaled(decodedSide, decodedSide, Qt::KeepAspectRatio));
    const QImage image = reader.read();
    if (image.isNull())
        return {};
    return {fitted(image, side), shared ? image : QImage()};
}

// Beyond this many thumbnails waiting to be stored the oldest go, so that what
// waits stays small beside the memory bound.
constexpr std::size_t kMostStoresWaiting = 32;

} // namespace

ThumbnailLoader::ThumbnailLoader(QObject *parent)
    : QObject(parent)
    , memory_(kMemoryBound)
{
    decoders_.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
    // Storing is a courtesy that waits for a processor no one else wants.
    storer_.setMaxThreadCount(1);
    storer_.setThreadPriority(QThread::IdlePriority);
}

ThumbnailLoader::~ThumbnailLoader()
{
    {
        const std::lock_guard hold(lock_);
        waiting_.clear();
        storing_.clear();
    }
    decoders_.waitForDone();
    storer_.waitForDone();
}

const QImage *ThumbnailLoader::find(const std::filesystem::path &picture, int side) const
{
    return memory_.object(memoryKey(picture, side));
}

void ThumbnailLoader::want(const std::vector<std::filesystem::path> &pictures, int side)
{
    const std::lock_guard hold(lock_);
    waiting_.clear();
    for (const std::filesystem::path &picture : pictures) {
        Wish wish{picture, side};
        if (!memory_.contains(memoryKey(picture, side)) && !decoding_.contains(wish))
            waiting_.push_back(std::move(wish));
    }
    for (;
         decodersBusy_ < decoders_.maxThreadCount() && std::size_t(decodersBusy_) < waiting_.size();
         ++decodersBusy_)
        decoders_.start([this] { decode(); });
}

// A decoder takes the first wish until none waits, so that the cells in view
// show first.
void ThumbnailLoader::decode()
{
    for (;;) {
        Wish wish;
        {
            const std::lock_guard hold(lock_);
            if (waiting_.empty()) {
                --decodersBusy_;
                return;
            }
            wish = std::move(waiting_.front());
            waiting_.pop_front();
            decoding_.insert(wish);
        }
        const std::optional<SharedThumbnail> shared = SharedThumbnailFor(wish.picture, wish.side);
        Decoded decoded = decodePicture(wish.picture, shared, wish.side);
        QMetaObject::invokeMethod(this, [this, wish, image = decoded.shown] { keep(wish, image); });
        if (!decoded.toStore.isNull()) {
            const std::lock_guard hold(lock_);
            storing_.push_back({*shared, std::move(decoded.toStore)});
            if (storing_.size() > kMostStoresWaiting)
                storing_.pop_front();
            if (!storerBusy_) {
                storerBusy_ = true;
                storer_.start([this] { store(); });
            }
        }
    }
}

void ThumbnailLoader::store()
{
    for (;;) {
        Store next;
        {
            const std::lock_guard hold(lock_);
            if (storing_.empty()) {
                storerBusy_ = false;
                return;
            }
            next = std::move(storing_.front());
            storing_.pop_front();
        }
        storeShared(next.entry, next.image);
    }
}

void ThumbnailLoader::keep(const Wish &wish, const QImage &image)
{
    {
        const std::lock_guard hold(lock_);
        decoding_.erase(wish);
    }
    // An unreadable picture costs a byte, so that it is remembered as one.
    // The kept copy is made on this thread: the decoders' memory then holds
    // nothing that lives long and is given back after each picture, instead
    // of being pinned under the pictures kept.
    memory_.insert(memoryKey(wish.picture, wish.side), new QImage(image.copy()),
                   std::max<qsizetype>(1, image.sizeInBytes()));
    emit decoded(wish.picture);
}
