#include "PreviewLoader.h"

#include <QImage>
#include <QImageReader>

std::optional<QPixmap> LoadPreview(const QString &path)
{
    // QImageReader refuses images above its allocation limit before decoding them.
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return QPixmap::fromImage(image);
}
