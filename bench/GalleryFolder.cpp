#include "GalleryFolder.h"

#include "AppFolders.h"
#include "DescriptionField.h"
#include "PlatformEdge.h"

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include <filesystem>

namespace {

constexpr int kPictures = 8;
const char *const kWords[] = {"Классика", "Небо", "Ночь", "Осень", "Матрица",
                              "Лето",     "Зима", "Море", "Город", "Лес"};

// A gradient with some grain, which compresses as a real preview does.
QImage previewPicture(int seed)
{
    QImage picture(360, 110, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 0, picture.height());
    gradient.setColorAt(0, QColor::fromHsv(seed * 45, 120, 230));
    gradient.setColorAt(1, QColor::fromHsv(seed * 45, 200, 60));
    painter.fillRect(picture.rect(), gradient);
    painter.end();
    QRandomGenerator random(seed);
    for (int i = 0; i < 4000; ++i)
        picture.setPixel(random.bounded(360), random.bounded(110), random.generate() | 0xFF000000u);
    return picture;
}

} // namespace

QString GalleryFolder()
{
    return AppFolderMadeOnce("gallery", [](const QString &skins) {
        for (int i = 0; i < kPictures; ++i)
            previewPicture(i).save(skins + QStringLiteral("/../picture %1.jpg").arg(i), "JPEG", 90);
        for (int i = 0; i < kGallerySkins; ++i) {
            const QString word = QString::fromUtf8(kWords[i % 10]);
            const QString stem =
                skins + QStringLiteral("/Скин %1 %2").arg(i, 6, 10, QChar(u'0')).arg(word);
            WriteSkinFile(stem + QStringLiteral(".scn"), 1024);
            [[maybe_unused]] const Status written = WriteDescription(
                ToNativePath(stem + QStringLiteral(".scn")),
                QStringLiteral("Описание скина %1: %2").arg(i).arg(word.toLower()));
            std::error_code error; // a preview that cannot be made is a skin without one
            std::filesystem::create_hard_link(
                ToNativePath(skins + QStringLiteral("/../picture %1.jpg").arg(i % kPictures)),
                ToNativePath(stem + QStringLiteral(".jpg")), error);
        }
    });
}
