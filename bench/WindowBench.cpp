// The main window: selecting a skin, against Qt doing the least work that
// shows the same; the mark after an apply, against the apply alone.

#include "AppFolders.h"
#include "frmMain.h"
#include "Module1.h"
#include "PlatformEdge.h"
#include "RatioReporter.h"
#include "SkinActions.h"
#include "SkinLibrary.h"

#include <QApplication>
#include <QFile>
#include <QFont>
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

constexpr int kSkinsOfOneSize = 100000;

// 100,000 skins of the active skin file's size, each of other bytes, as a
// skin format of fixed size makes them, and an active skin file equal to none.
void useAppFolderOfOneSize()
{
    UseAppFolder(AppFolderMadeOnce("one size", [](const QString &folder) {
        for (int i = 0; i < kSkinsOfOneSize; ++i) {
            QFile skin(folder + QStringLiteral("/Скин %1.scn").arg(i, 6, 10, QChar(u'0')));
            skin.open(QIODevice::WriteOnly);
            skin.write(QByteArray(1024, 'v').append(QByteArray::number(i).rightJustified(6, '0')));
        }
        QFile active(folder + QStringLiteral("/../Kelvora.rus"));
        active.open(QIODevice::WriteOnly);
        active.write(QByteArray(1024 + 6, 'a'));
    }));
    Module1::SkinFileName = QStringLiteral("Kelvora.rus");
    Module1::KillKelvoraEnable = QStringLiteral("0");
    Module1::RunKLVAfterApply = QStringLiteral("0");
}

// Two skins applied in turn: each apply replaces a file that no skin holds.
// They are the list's last two rows.
const std::filesystem::path kApplied[] = {u8"Скин 099999.scn", u8"Скин 099998.scn"};

// Applies from the main window until the list marks the skin applied.
void markAfterApply(benchmark::State &state)
{
    frmMain window;
    useAppFolderOfOneSize(); // after the window's start has read the settings
    window.show();
    auto *list = window.findChild<QListView *>(QStringLiteral("File1"));
    while (list->model()->rowCount() < kSkinsOfOneSize)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const auto isMarked = [list](int row) {
        return list->model()->index(row, 0).data(Qt::FontRole).value<QFont>().bold();
    };
    int turn = 0;
    for (auto _ : state) {
        turn = 1 - turn;
        ApplySkin(kApplied[turn]);
        const int row = turn == 0 ? kSkinsOfOneSize - 1 : kSkinsOfOneSize - 2;
        while (!isMarked(row))
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

void applyAlone(benchmark::State &state)
{
    useAppFolderOfOneSize();
    int turn = 0;
    for (auto _ : state)
        ApplySkin(kApplied[turn = 1 - turn]);
}

[[maybe_unused]] const bool registered = [] {
    RegisterPair("Selection, 200 KB preview", selectSkin, decodePreview);
    RegisterPair("Mark after an apply, 100000 skins of one size", markAfterApply, applyAlone);
    return true;
}();

} // namespace
