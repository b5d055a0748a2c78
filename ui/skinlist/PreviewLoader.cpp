#include "PreviewLoader.h"

#include "SkinLibrary.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

std::optional<QPixmap> LoadPreview(const std::filesystem::path &path)
{
    Result<QByteArray> bytes = ReadPreviewFile(path);
    if (!bytes.ok())
        return std::nullopt;
    QBuffer file(&bytes.value);
    // QImageReader refuses images above its allocation limit before decoding them.
    QImageReader reader(&file);
    const QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return QPixmap::fromImage(image);
}
