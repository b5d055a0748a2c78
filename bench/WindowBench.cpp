// The main window: selecting a skin, against Qt doing the least work that
// shows the same.

#include "AppFolders.h"
#include "frmMain.h"
#include "PlatformEdge.h"
#include "RatioReporter.h"
#include "SkinLibrary.h"

#include <QApplication>
#include <QImage>
#include <QImageReader>
#include <QListView>
#include <QRandomGenerator>

namespace {

// Noise compresses badly, so a modest picture makes a preview of about 200 KB.
void writePreview(const QString &path)
{
    QImage picture(384, 256, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, random.generate() | 0xFF000000u);
    picture.save(path, "JPEG", 95);
}

// An application folder with `skins` skins; the first two have previews. The
// program's paths point into it.
void useAppFolderWith(int skins)
{
    UseAppFolder(
        AppFolderMadeOnce("window " + std::to_string(skins), [skins](const QString &folder) {
            const auto stem = [&folder](int i) {
                return folder + QStringLiteral("/Скин %1").arg(i, 5, 10, QChar(u'0'));
            };
            for (int i = 0; i < skins; ++i)
                WriteSkinFile(stem(i) + QStringLiteral(".scn"), 4096);
            for (int i = 0; i < std::min(skins, 2); ++i)
                writePreview(stem(i) + QStringLiteral(".jpg"));
        }));
}

void selectSkin(benchmark::State &state)
{
    useAppFolderWith(2);
    frmMain window;
    window.show();
    auto *list = window.findChild<QListView *>(QStringLiteral("File1"));
    while (list->model()->rowCount() < 2) // read off the window's thread
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    int row = 0;
    for (auto _ : state) {
        list->setCurrentIndex(list->model()->index(row, 0));
        row = 1 - row;
    }
}

void decodePreview(benchmark::State &state)
{
    useAppFolderWith(2);
    const QString path =
        FromNativePath(PreviewPathFor(ToNativePath(QStringLiteral("Скин 00000.scn"))));
    for (auto _ : state)
        benchmark::DoNotOptimize(QImageReader(path).read());
}

[[maybe_unused]] const bool registered = [] {
    RegisterPair("Selection, 200 KB preview", selectSkin, decodePreview);
    return true;
}();

} // namespace
