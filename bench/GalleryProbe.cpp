// The gallery over the main window on the folder the probe is started from,
// for the benchmarks that measure memory: it ends once the first screen of
// cells shows its pictures and every description is read; with --scroll-all,
// only after scrolling through every cell, a screen at a time.

#include "Application.h"
#include "frmGallery.h"
#include "frmMain.h"
#include "GalleryModel.h"
#include "GalleryView.h"
#include "SkinList.h"

#include <QApplication>
#include <QEventLoop>
#include <QScrollBar>

#include <cstdlib>

namespace {

template <typename Sender, typename Signal> void waitFor(Sender *sender, Signal signal)
{
    QEventLoop loop;
    QObject::connect(sender, signal, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    PrepareApplication(app);
    const bool scrollAll = QApplication::arguments().contains(QStringLiteral("--scroll-all"));
    frmMain window;
    window.show();
    auto *list = window.findChild<SkinList *>();
    waitFor(list, &SkinList::listed);

    frmGallery gallery(list->model(), &window);
    auto *grid = gallery.findChild<GalleryView *>();
    auto *model = gallery.findChild<GalleryModel *>();
    bool described = false;
    QObject::connect(model, &GalleryModel::descriptionsRead, [&described] { described = true; });
    gallery.show();
    waitFor(grid, &GalleryView::picturesShown);
    if (!described)
        waitFor(model, &GalleryModel::descriptionsRead);

    if (scrollAll) {
        QScrollBar *bar = grid->verticalScrollBar();
        while (bar->value() < bar->maximum()) {
            bar->setValue(bar->value() + bar->pageStep());
            QCoreApplication::processEvents();
        }
        grid->viewport()->update();
        waitFor(grid, &GalleryView::picturesShown);
    }
    std::_Exit(0); // the peak is reached, not teardown
}
