#include "SharedThumbnails.h"

#include "platform/PositionedFile.h"
#include "platform/ReplacingCopy.h"
#include "platform/ThumbnailFolder.h"
#include "PlatformEdge.h"

#include <QCryptographicHash>

#include <chrono>
#include <string>
#include <system_error>

namespace {

struct CacheSize
{
    const char *folder;
    int side;
};

constexpr CacheSize kCacheSizes[] = {
    {"normal", 128}, {"large", 256}, {"x-large", 512}, {"xx-large", 1024}};

const CacheSize *sizeFor(int side)
{
    for (const CacheSize &size : kCacheSizes)
        if (side <= size.side)
            return &size;
    return nullptr;
}

std::optional<std::chrono::nanoseconds> modifiedSinceEpoch(const std::filesystem::path &picture)
{
    std::error_code error;
    const std::filesystem::file_time_type modified =
        std::filesystem::last_write_time(picture, error);
    if (error)
        return std::nullopt;
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::file_clock::to_sys(modified).time_since_epoch());
}

QString systemReason(const std::error_code &error)
{
    return QString::fromLocal8Bit(error.message());
}

// The standard asks for folders only their owner can enter.
Status makeFolders(const std::filesystem::path &folder)
{
    std::error_code error;
    if (std::filesystem::is_directory(folder, error))
        return std::nullopt;
    std::filesystem::path made;
    for (const std::filesystem::path &part : folder) {
        made /= part;
        if (std::filesystem::create_directory(made, error))
            std::filesystem::permissions(made, std::filesystem::perms::owner_all, error);
        if (error)
            return FileError{FromNativePath(made), systemReason(error)};
    }
    return std::nullopt;
}

} // namespace

QByteArray PictureUri(const std::filesystem::path &picture)
{
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(picture, error);
    if (error)
        absolute = picture;
    const std::u8string bytes = absolute.lexically_normal().generic_u8string();
    return QByteArrayLiteral("file://") +
           QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()))
               .toPercentEncoding("!$&'()*+,/:=@");
}

std::optional<SharedThumbnail> SharedThumbnailFor(const std::filesystem::path &picture, int side)
{
    const std::filesystem::path cache = platform::sharedThumbnailFolder();
    const CacheSize *size = sizeFor(side);
    if (cache.empty() || !size)
        return std::nullopt;
    const std::optional<std::chrono::nanoseconds> modified = modifiedSinceEpoch(picture);
    if (!modified)
        return std::nullopt;
    SharedThumbnail entry;
    entry.uri = PictureUri(picture);
    const QByteArray name =
        QCryptographicHash::hash(entry.uri, QCryptographicHash::Md5).toHex() + ".png";
    entry.file = cache / size->folder / name.toStdString();
    entry.side = size->side;
    entry.modified =
        QByteArray::number(std::chrono::floor<std::chrono::seconds>(*modified).count());
    entry.exactlyModified = QByteArray::number(qint64(modified->count()));
    return entry;
}

std::vector<ThumbnailText> ThumbnailTextsFor(const SharedThumbnail &entry)
{
    return {{QLatin1StringView(kThumbnailUriKey), entry.uri},
            {QLatin1StringView(kThumbnailModifiedKey), entry.modified},
            {QLatin1StringView(kThumbnailExactlyModifiedKey), entry.exactlyModified}};
}

bool ThumbnailFitsEntry(const SharedThumbnail &entry,
                        const std::function<QString(QLatin1StringView key)> &textOf)
{
    const QString exactly = textOf(QLatin1StringView(kThumbnailExactlyModifiedKey));
    return textOf(QLatin1StringView(kThumbnailUriKey)).toUtf8() == entry.uri &&
           textOf(QLatin1StringView(kThumbnailModifiedKey)).toUtf8() == entry.modified &&
           (exactly.isEmpty() || exactly.toUtf8() == entry.exactlyModified);
}

Status StoreSharedThumbnail(const SharedThumbnail &entry, const QByteArray &png)
{
    if (Status failed = makeFolders(entry.file.parent_path()))
        return failed;
    // Not waited onto the disk: a thumbnail lost in a crash is made again.
    return ToStatus(platform::writeReplacing(
        entry.file, std::string_view(png.constData(), std::size_t(png.size())),
        platform::WrittenFile::cache));
}

Result<QByteArray> ReadSharedThumbnail(const SharedThumbnail &entry)
{
    // Every pixel stored raw, and room for the chunks around them: a file
    // larger than that holds no thumbnail of this size.
    const std::size_t largest = std::size_t(entry.side) * std::size_t(entry.side) * 4 + 64 * 1024;
    platform::Result<std::string> bytes = platform::readAt(entry.file, 0, largest + 1);
    if (!bytes.ok())
        return {{}, ToFileError(*bytes.failure)};
    if (bytes.value.size() > largest)
        return {{},
                FileError{FromNativePath(entry.file),
                          QStringLiteral("файл слишком велик для миниатюры")}};
    return {QByteArray(bytes.value.data(), qsizetype(bytes.value.size())), std::nullopt};
}

std::vector<std::filesystem::path> SharedThumbnailFolders()
{
    std::vector<std::filesystem::path> folders;
    if (const std::filesystem::path cache = platform::sharedThumbnailFolder(); !cache.empty())
        for (const CacheSize &size : kCacheSizes)
            folders.push_back(cache / size.folder);
    return folders;
}
