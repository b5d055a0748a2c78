#include "GalleryFolder.h"

#include "AppFolders.h"
#include "DescriptionField.h"
#include "PlatformEdge.h"

#include <QImage>
#include <QRandomGenerator>

#include <filesystem>

namespace {

constexpr int kPictures = 8;
const char *const kWords[] = {"Классика", "Небо", "Ночь", "Осень", "Матрица",
                              "Лето",     "Зима", "Море", "Город", "Лес"};

// Noise compresses badly, so a modest picture makes a preview of about 200 KB,
// as in the row of the main window's selection.
QImage previewPicture(int seed)
{
    QImage picture(384, 256, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, random.generate() | 0xFF000000u);
    return picture;
}

} // namespace

QString GalleryFolder()
{
    return AppFolderMadeOnce("gallery", [](const QString &skins) {
        for (int i = 0; i < kPictures; ++i)
            previewPicture(i).save(skins + QStringLiteral("/../picture %1.jpg").arg(i), "JPEG", 95);
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
