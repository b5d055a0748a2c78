// The gallery on 100,000 skins: its first screen of pictures, against decoding
// those pictures alone at the size they are shown; and filtering by one typed
// letter, against a plain scan of the names, each case-folded as it is read.

#include "AppFolders.h"
#include "frmGallery.h"
#include "frmMain.h"
#include "GalleryFolder.h"
#include "GalleryModel.h"
#include "GalleryView.h"
#include "PlatformEdge.h"
#include "RatioReporter.h"
#include "SkinList.h"
#include "SkinListModel.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QImageReader>
#include <QTemporaryDir>

#include <memory>

namespace {

template <typename Sender, typename Signal> void waitFor(Sender *sender, Signal signal)
{
    QEventLoop loop;
    QObject::connect(sender, signal, &loop, &QEventLoop::quit);
    loop.exec();
}

// The main window on the gallery's folder, its list read; the shared
// thumbnail cache in a folder of its own.
struct GalleryScene
{
    GalleryScene()
    {
        UseAppFolder(GalleryFolder());
        qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
        window = std::make_unique<frmMain>(); // reads the folder just named
        window->show();
        if (list()->model().rowCount() < kGallerySkins)
            waitFor(list(), &SkinList::listed);
    }
    ~GalleryScene() { qunsetenv("XDG_CACHE_HOME"); }

    SkinList *list() { return window->findChild<SkinList *>(); }

    // Nothing cached from a run before: every picture is decoded.
    void forgetThumbnails()
    {
        QDir(cache.path() + QStringLiteral("/thumbnails")).removeRecursively();
    }

    QTemporaryDir cache;
    std::unique_ptr<frmMain> window;
};

void galleryFirstScreen(benchmark::State &state)
{
    GalleryScene scene;
    for (auto _ : state) {
        state.PauseTiming();
        scene.forgetThumbnails();
        state.ResumeTiming();
        auto gallery = std::make_unique<frmGallery>(scene.list()->model(), scene.window.get());
        gallery->show();
        waitFor(gallery->findChild<GalleryView *>(), &GalleryView::picturesShown);
        state.PauseTiming();
        gallery.reset(); // its teardown is not its first screen
        state.ResumeTiming();
    }
}

// The previews of the gallery's first screen, each decoded at its shown size.
void decodeFirstScreen(benchmark::State &state)
{
    GalleryScene scene;
    std::vector<QString> pictures;
    int side = 0;
    {
        frmGallery gallery(scene.list()->model(), scene.window.get());
        gallery.show();
        auto *grid = gallery.findChild<GalleryView *>();
        waitFor(grid, &GalleryView::picturesShown);
        const auto [first, last] = grid->rowsInView();
        for (int row = first; row <= last; ++row)
            pictures.push_back(
                FromNativePath(PreviewPathFor(scene.list()->model().skinAt(row).file)));
        side = grid->pictureSide();
    }
    state.counters["cells"] = double(pictures.size());
    for (auto _ : state)
        for (const QString &picture : pictures) {
            QImageReader reader(picture);
            reader.setScaledSize(reader.size().scaled(side, side, Qt::KeepAspectRatio));
            benchmark::DoNotOptimize(reader.read());
        }
}

// One letter typed, then another in its place: what the model shows.
void filterGallery(benchmark::State &state)
{
    GalleryScene scene;
    GalleryModel model(scene.list()->model());
    model.readDescriptions();
    waitFor(&model, &GalleryModel::descriptionsRead);
    bool other = false;
    for (auto _ : state) {
        model.setFilter(other ? QStringLiteral("М") : QStringLiteral("Л"));
        other = !other;
    }
}

void scanNames(benchmark::State &state)
{
    GalleryScene scene;
    const std::vector<SkinName> &skins = scene.list()->model().skins();
    bool other = false;
    for (auto _ : state) {
        const QString folded = CaseFolded(other ? QStringLiteral("М") : QStringLiteral("Л"));
        std::vector<int> found;
        for (std::size_t i = 0; i < skins.size(); ++i)
            if (CaseFolded(skins[i].shown).contains(folded))
                found.push_back(int(i));
        benchmark::DoNotOptimize(found);
        other = !other;
    }
}

[[maybe_unused]] const bool registered = [] {
    RegisterPair("Gallery, 100000 skins, first screen", galleryFirstScreen, decodeFirstScreen);
    RegisterPair("Filtering 100000 names by one letter", filterGallery, scanNames);
    return true;
}();

} // namespace
