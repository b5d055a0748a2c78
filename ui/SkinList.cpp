#include "SkinList.h"

#include "ActiveSkin.h"
#include "Module1.h"
#include "PlatformEdge.h"
#include "SkinListModel.h"

#include <QFileSystemWatcher>
#include <QFutureWatcher>
#include <QListView>
#include <QPainter>
#include <QtConcurrent/QtConcurrentRun>

namespace {

// Long enough to gather what a program does to the folder in one go (a copy
// of many skins), short enough to feel at once.
constexpr int kGatheringMilliseconds = 300;

// Calls then with the future's result once it is there, unless a newer run
// (a later count) has started since.
template <typename T, typename Then>
void whenDone(QObject *owner, const QFuture<T> &future, const int &started, Then then)
{
    auto *watcher = new QFutureWatcher<T>(owner);
    QObject::connect(watcher, &QFutureWatcherBase::finished, owner,
                     [watcher, &started, run = started, then] {
                         watcher->deleteLater();
                         if (run == started)
                             then(watcher->result());
                     });
    watcher->setFuture(future);
}

// The mark fits the height of a name, so that as many rows show as without it.
QSize markSize(const QWidget &view)
{
    const int side = view.fontMetrics().height();
    return QSize(side, side);
}

// A check mark in the colour of the list's text, and of selected text.
QIcon checkMarkFor(const QWidget &view)
{
    QIcon mark;
    const QSize size = markSize(view);
    for (const auto &[mode, colour] : {std::pair{QIcon::Normal, QPalette::Text},
                                       std::pair{QIcon::Selected, QPalette::HighlightedText}}) {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setFont(view.font());
        painter.setPen(view.palette().color(colour));
        painter.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("✓"));
        painter.end();
        mark.addPixmap(pixmap, mode);
    }
    return mark;
}

} // namespace

SkinList::SkinList(QListView *view)
    : QObject(view)
    , view_(view)
    , model_(new SkinListModel(checkMarkFor(*view), view))
    , watcher_(new QFileSystemWatcher(this))
{
    view_->setModel(model_);
    view_->setIconSize(markSize(*view));
    gathering_.setSingleShot(true);
    gathering_.setInterval(kGatheringMilliseconds);
    connect(&gathering_, &QTimer::timeout, this, [this] { reread(Selection::Keep); });
    connect(watcher_, &QFileSystemWatcher::directoryChanged, &gathering_,
            qOverload<>(&QTimer::start));
}

SkinList::~SkinList()
{
    // The reads use the program's folder, which may change once the window is gone.
    reading_.waitForFinished();
    marking_.waitForFinished();
}

void SkinList::reread(Selection selection)
{
    if (selection == Selection::Clear)
        view_->selectionModel()->clear();
    ++readsStarted_;
    reading_ = QtConcurrent::run(&ListSkins);
    whenDone(this, reading_, readsStarted_,
             [this](Result<std::vector<SkinName>> skins) { show(std::move(skins)); });
    watchFolder();
}

void SkinList::selectWhenListed(std::filesystem::path file)
{
    toSelect_ = std::move(file);
}

void SkinList::show(Result<std::vector<SkinName>> skins)
{
    const std::filesystem::path kept = selected();
    {
        const QSignalBlocker quiet(view_->selectionModel()); // what stays selected is shown already
        model_->setSkins(std::move(skins.value));
        if (const int row = model_->rowOf(kept); !kept.empty() && row >= 0)
            view_->selectionModel()->setCurrentIndex(model_->index(row),
                                                     QItemSelectionModel::ClearAndSelect);
    }
    if (const std::optional<std::filesystem::path> file = std::exchange(toSelect_, std::nullopt)) {
        if (const int row = model_->rowOf(*file); row >= 0) {
            view_->setCurrentIndex(model_->index(row));
            view_->scrollTo(model_->index(row));
        }
    }
    emit listed(skins.error);
    markActive();
}

void SkinList::markActive()
{
    ++marksStarted_;
    // A setting that names no file of the application folder marks nothing.
    const std::filesystem::path active = ActiveSkinNameProblem(Module1::SkinFileName).isEmpty()
                                             ? ActiveSkinPath()
                                             : std::filesystem::path();
    marking_ = QtConcurrent::run(&SkinsEqualTo, active, SkinsFolderPath(), model_->fileNames());
    whenDone(this, marking_, marksStarted_,
             [this](const std::vector<std::filesystem::path> &equal) {
                 model_->setActive(equal);
                 emit activeMarked();
             });
}

std::filesystem::path SkinList::selected() const
{
    const QModelIndexList rows = view_->selectionModel()->selectedRows();
    return rows.isEmpty() ? std::filesystem::path() : model_->skinAt(rows.first().row()).file;
}

// The folder is watched again at every read: one made or made anew since is
// watched from then on.
void SkinList::watchFolder()
{
    const QString folder = FromNativePath(SkinsFolderPath());
    if (watcher_->directories() == QStringList{folder})
        return;
    if (!watcher_->directories().isEmpty())
        watcher_->removePaths(watcher_->directories());
    watcher_->addPath(folder); // a missing folder is not watched; its read says why
}
