#include "SkinList.h"

#include "ActiveSkin.h"
#include "AppFolder.h"
#include "FolderWatch.h"
#include "LongStep.h"
#include "PlatformEdge.h"
#include "SkinListModel.h"

#include <QFutureWatcher>
#include <QListView>
#include <QPainter>
#include <QtConcurrent/QtConcurrentRun>

namespace {

// Long enough to gather what a program does to the folder in one go (a copy
// of many skins), short enough to feel at once.
constexpr int kGatheringMilliseconds = 300;

// Calls then with the future's result once it is there, unless a newer run
// (a later count) has started since. The result is moved out: a list of many
// skins is held once, by the list.
template <typename T, typename Then>
void whenDone(QObject *owner, const QFuture<T> &future, const int &started, Then then)
{
    auto *watcher = new QFutureWatcher<T>(owner);
    QObject::connect(watcher, &QFutureWatcherBase::finished, owner,
                     [watcher, &started, run = started, then] {
                         watcher->deleteLater();
                         if (run == started)
                             then(watcher->future().takeResult());
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

SkinList::Reading readFolder(const std::filesystem::path &active,
                             const std::filesystem::path &folder)
{
    SkinList::Reading reading{ListSkins(folder), {}};
    reading.active = SkinsEqualTo(active, folder, reading.skins.value);
    return reading;
}

// Whether the window still works on the Skins folder a read was handed. The
// read of a folder left since is dropped: whoever changed the folder asked for
// a read of the new one.
bool isStillTheFolder(const std::filesystem::path &folder)
{
    return folder == SkinsFolderPath();
}

} // namespace

SkinList::SkinList(QListView *view)
    : QObject(view)
    , view_(view)
    , model_(new SkinListModel(checkMarkFor(*view), view))
    , watch_(new FolderWatch(this))
{
    view_->setModel(model_);
    view_->setIconSize(markSize(*view));
    gathering_.setSingleShot(true);
    gathering_.setInterval(kGatheringMilliseconds);
    connect(&gathering_, &QTimer::timeout, this, [this] { reread(Selection::Keep); });
    connect(watch_, &FolderWatch::changed, &gathering_, qOverload<>(&QTimer::start));
    connect(watch_, &FolderWatch::unwatched, this, &SkinList::unwatched);
}

// The reads are handed all they read, so one still running is left to end on
// its own: its result goes nowhere.
SkinList::~SkinList() = default;

void SkinList::reread(Selection selection)
{
    if (selection == Selection::Clear)
        view_->selectionModel()->clear();
    if (!std::exchange(readAsked_, true))
        AfterLongStep(this, [this] { startReading(); });
}

void SkinList::startReading()
{
    readAsked_ = false;
    const int read = ++readsStarted_;
    const std::filesystem::path folder = SkinsFolderPath();
    // The folder is read once its watch is set, so that a change made while it
    // is read is seen; a read asked for since makes this one needless.
    watch_->watch(folder, ApplicationFolder(), [this, read, folder] {
        if (read != readsStarted_)
            return;
        // A setting that names no file of the application folder marks nothing.
        whenDone(this, QtConcurrent::run(&readFolder, UsableActiveSkinPath(), folder),
                 readsStarted_, [this, folder](Reading reading) {
                     if (isStillTheFolder(folder))
                         show(std::move(reading));
                 });
    });
}

void SkinList::selectWhenListed(const std::filesystem::path &file)
{
    toSelect_ = file;
    reread(Selection::Keep);
}

void SkinList::select(const std::filesystem::path &file)
{
    if (const int row = model_->rowOf(file); row >= 0) {
        view_->setCurrentIndex(model_->index(row));
        view_->scrollTo(model_->index(row));
    }
}

void SkinList::show(Reading reading)
{
    const std::filesystem::path kept = selected();
    {
        const QSignalBlocker quiet(view_->selectionModel()); // what stays selected is shown already
        model_->setSkins(std::move(reading.skins.value));
        model_->setActive(reading.active);
        if (const int row = model_->rowOf(kept); !kept.empty() && row >= 0)
            view_->selectionModel()->setCurrentIndex(model_->index(row),
                                                     QItemSelectionModel::ClearAndSelect);
    }
    if (const std::optional<std::filesystem::path> file = std::exchange(toSelect_, std::nullopt))
        select(*file);
    emit listed(reading.skins.error);
    emit activeMarked();
}

void SkinList::markActive()
{
    ++marksStarted_;
    const std::filesystem::path folder = SkinsFolderPath();
    whenDone(this,
             QtConcurrent::run(&SkinsEqualTo, UsableActiveSkinPath(), folder, model_->skins()),
             marksStarted_, [this, folder](const std::vector<std::filesystem::path> &equal) {
                 if (!isStillTheFolder(folder))
                     return;
                 model_->setActive(equal);
                 emit activeMarked();
             });
}

void SkinList::markApplied(const std::filesystem::path &skin)
{
    ++marksStarted_; // a comparison still running was of the file replaced
    model_->setActive({skin});
    emit activeMarked();
}

void SkinList::forget(const std::filesystem::path &file)
{
    model_->removeSkin(file);
}

std::filesystem::path SkinList::selected() const
{
    const QModelIndexList rows = view_->selectionModel()->selectedRows();
    return rows.isEmpty() ? std::filesystem::path() : model_->skinAt(rows.first().row()).file;
}
