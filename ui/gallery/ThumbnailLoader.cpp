#include "ThumbnailLoader.h"

#include "IdleWork.h"
#include "platform/PositionedFile.h"
#include "PlatformEdge.h"
#include "ReturnAddress.h"
#include "SharedThumbnails.h"
#include "SkinLibrary.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>

namespace {

constexpr qsizetype kMebibyte = 1024 * 1024;
// The memory bound shared out: each decoder holds at most one picture of
// kDecodedBound, the thumbnails queued to be stored at most kQueuedBound,
// and the pictures kept the rest.
constexpr int kMostDecoders = 2;
constexpr qsizetype kDecodedBound = 6 * kMebibyte;
constexpr qsizetype kQueuedBound = 4 * kMebibyte;
constexpr qsizetype kKeptBound =
    ThumbnailLoader::kMemoryBound - kMostDecoders * kDecodedBound - kQueuedBound;

// The decoders of every gallery: made once and never ended, so that a gallery
// that closes waits for none of them.
QThreadPool &decoders()
{
    static QThreadPool *const pool = [] {
        auto *made = new QThreadPool;
        made->setMaxThreadCount(std::clamp(QThread::idealThreadCount(), 1, kMostDecoders));
        made->setExpiryTimeout(-1); // no thread ends mid-run (LastingThread)
        return made;
    }();
    return *pool;
}

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

// A picture file read piece by piece as the decoder asks, so that a large one
// is never held whole; each piece is read from a regular file alone, never
// waited on, and large enough that a usual preview takes one.
class PictureFile : public QIODevice
{
public:
    PictureFile(const std::filesystem::path &path, qint64 size)
        : path_(path)
        , size_(size)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

    bool isSequential() const override { return false; }
    qint64 size() const override { return size_; }
    bool seek(qint64 position) override
    {
        if (!QIODevice::seek(position))
            return false;
        at_ = position;
        return true;
    }

protected:
    qint64 readData(char *data, qint64 most) override
    {
        if (at_ < pieceAt_ || at_ >= pieceAt_ + qint64(piece_.size())) {
            platform::Result<std::string> read = platform::readAt(
                path_, std::uint64_t(at_), std::max<std::size_t>(std::size_t(most), kPiece));
            if (!read.ok())
                return -1; // the decoder sees a broken picture: a placeholder
            piece_ = std::move(read.value);
            pieceAt_ = at_;
        }
        const qint64 taken = std::min(most, pieceAt_ + qint64(piece_.size()) - at_);
        std::memcpy(data, piece_.data() + (at_ - pieceAt_), std::size_t(taken));
        at_ += taken;
        return taken;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    static constexpr std::size_t kPiece = 512 * 1024;

    std::filesystem::path path_;
    qint64 size_;
    qint64 at_ = 0;
    std::string piece_;
    qint64 pieceAt_ = 0;
};

// The cached thumbnail when it was made, by this program or another, from the
// picture as it is now, and is of its size: a larger one is no thumbnail of
// the cache's, whatever it holds.
QImage readShared(const SharedThumbnail &entry)
{
    Result<QByteArray> png = ReadSharedThumbnail(entry);
    if (!png.ok())
        return {}; // decoded from the picture instead
    QBuffer file(&png.value);
    QImageReader reader(&file, "png");
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > entry.side || size.height() > entry.side)
        return {};
    // The texts are read with the image: before, their keys are cut at the first colon.
    const QImage image = reader.read();
    if (!ThumbnailFitsEntry(entry, [&image](QLatin1StringView key) { return image.text(key); }))
        return {};
    return image;
}

// The writing itself, on the idle thread: the picture and its texts as a PNG.
void storeAsPng(const SharedThumbnail &entry, const QImage &image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    // The texts go with the image: the writer's own texts cannot have a key with a colon.
    QImage thumbnail = image;
    for (const ThumbnailText &text : ThumbnailTextsFor(entry))
        thumbnail.setText(text.key, QString::fromUtf8(text.value));
    QImageWriter writer(&buffer, "png");
    writer.setQuality(80); // light compression, quick to write
    if (!writer.write(thumbnail))
        return;
    // The shared cache is a courtesy to the desktop's other programs: one that
    // cannot be written costs only a decode next time, and is not the user's concern.
    [[maybe_unused]] const Status ignored = StoreSharedThumbnail(entry, png);
}

// The picture fitted into side × side; null when it cannot be read. A JPEG is
// decoded scaled down, not whole; a picture of another format that would take
// more than kDecodedBound whole is not decoded. Pictures go through the
// shared cache when the desktop keeps one, at the size of the cache's folder:
// a picture decoded anew is to be stored there as well.
struct Decoded
{
    QImage shown;
    QImage toStore;
};

Decoded decodePicture(const ThumbnailLoader::Wish &wish,
                      const std::optional<platform::FileVersion> &version,
                      const std::optional<SharedThumbnail> &shared)
{
    if (!version || version->size > kLargestPreview)
        return {};
    if (shared) {
        if (QImage cached = readShared(*shared); !cached.isNull())
            return {fitted(cached, wish.side), {}};
    }
    PictureFile file(wish.picture, qint64(version->size));
    QImageReader reader(&file);
    reader.setAllocationLimit(int(kDecodedBound / kMebibyte));
    const int decodedSide = shared ? shared->side : wish.side;
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > decodedSide || size.height() > decodedSide)) {
        // Only a JPEG is scaled while it is decoded; any other is decoded whole first.
        if (reader.format() != "jpeg" && qint64(size.width()) * size.height() * 4 > kDecodedBound)
            return {};
        reader.setScaledSize(size.scaled(decodedSide, decodedSide, Qt::KeepAspectRatio));
    }
    const QImage image = reader.read();
    if (image.isNull())
        return {};
    return {fitted(image, wish.side), shared ? image : QImage()};
}

} // namespace

struct ThumbnailLoader::Work : std::enable_shared_from_this<Work>
{
    std::shared_ptr<ReturnAddress> address;
    // Guards what follows; taken by the window's thread and the decoders,
    // which run at its priority.
    std::mutex lock;
    std::deque<Wish> waiting;
    // The pictures being decoded, with the version of the file each read.
    std::map<std::pair<std::filesystem::path, int>, std::optional<platform::FileVersion>> decoding;
    int decodersBusy = 0;
    std::uint64_t ticketsGiven = 0;

    std::atomic<qsizetype> queuedBytes = 0; // of the thumbnails queued to be stored
    std::atomic<bool> closed = false;

    void decode(ThumbnailLoader *loader);
    void storeWhenIdle(const SharedThumbnail &entry, QImage image);
};

// A decoder takes the first wish until none waits, so that the cells in view
// show first.
void ThumbnailLoader::Work::decode(ThumbnailLoader *loader)
{
    for (;;) {
        Wish wish;
        std::uint64_t ticket = 0;
        {
            const std::lock_guard hold(lock);
            if (waiting.empty()) {
                --decodersBusy;
                return;
            }
            wish = std::move(waiting.front());
            waiting.pop_front();
            ticket = ++ticketsGiven;
        }
        const std::optional<platform::FileVersion> version = platform::fileVersion(wish.picture);
        const std::pair key(wish.picture, wish.side);
        {
            const std::lock_guard hold(lock);
            if (wish.known && version == wish.version)
                continue; // the picture in memory is of the file as it is
            decoding[key] = version;
        }
        const std::optional<SharedThumbnail> shared = SharedThumbnailFor(wish.picture, wish.side);
        Decoded decoded = decodePicture(wish, version, shared);
        address->post([loader, wish, ticket, version, image = decoded.shown] {
            loader->keep(wish, ticket, version, image);
        });
        if (!decoded.toStore.isNull())
            storeWhenIdle(*shared, std::move(decoded.toStore));
    }
}

// Queued for the idle thread; beyond the bound the thumbnail is not stored:
// the next opening decodes it again.
void ThumbnailLoader::Work::storeWhenIdle(const SharedThumbnail &entry, QImage image)
{
    const qsizetype bytes = image.sizeInBytes();
    if (queuedBytes.fetch_add(bytes) + bytes > kQueuedBound) {
        queuedBytes -= bytes;
        return;
    }
    RunWhenIdle([work = shared_from_this(), entry, image = std::move(image), bytes] {
        if (!work->closed)
            storeAsPng(entry, image);
        work->queuedBytes -= bytes;
    });
}

ThumbnailLoader::ThumbnailLoader(QObject *parent)
    : QObject(parent)
    , memory_(kKeptBound)
    , work_(std::make_shared<Work>())
{
    work_->address = ReturnAddress::of(this);
}

ThumbnailLoader::~ThumbnailLoader()
{
    work_->closed = true;
    const std::lock_guard hold(work_->lock);
    work_->waiting.clear();
}

const QImage *ThumbnailLoader::find(const std::filesystem::path &picture, int side) const
{
    const Kept *kept = memory_.object(memoryKey(picture, side));
    return kept ? &kept->image : nullptr;
}

void ThumbnailLoader::want(const std::vector<std::filesystem::path> &pictures, int side)
{
    const std::lock_guard hold(work_->lock);
    work_->waiting.clear();
    for (const std::filesystem::path &picture : pictures) {
        Wish wish{picture, side, false, std::nullopt};
        if (const auto decoding = work_->decoding.find({picture, side});
            decoding != work_->decoding.end()) {
            wish.known = true;
            wish.version = decoding->second;
        } else if (const Kept *kept = memory_.object(memoryKey(picture, side))) {
            wish.known = true;
            wish.version = kept->version;
        }
        work_->waiting.push_back(std::move(wish));
    }
    for (; work_->decodersBusy < decoders().maxThreadCount() &&
           std::size_t(work_->decodersBusy) < work_->waiting.size();
         ++work_->decodersBusy)
        decoders().start([work = work_, this] { work->decode(this); });
}

void ThumbnailLoader::keep(const Wish &wish, std::uint64_t ticket,
                           const std::optional<platform::FileVersion> &version, const QImage &image)
{
    {
        const std::lock_guard hold(work_->lock);
        work_->decoding.erase({wish.picture, wish.side});
    }
    const QByteArray key = memoryKey(wish.picture, wish.side);
    if (const Kept *kept = memory_.object(key); kept && kept->ticket > ticket)
        return; // read before the picture in memory was
    // An unreadable picture costs a byte, so that it is remembered as one.
    // The kept copy is made on this thread: the decoders' memory then holds
    // nothing that lives long and is given back after each picture, instead
    // of being pinned under the pictures kept.
    memory_.insert(key, new Kept{image.copy(), version, ticket},
                   std::max<qsizetype>(1, image.sizeInBytes()));
    emit decoded(wish.picture);
}
