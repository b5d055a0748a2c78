#include "GalleryModel.h"

#include "DescriptionField.h"
#include "SkinListModel.h"

#include <QtConcurrent/QtConcurrentRun>
#include <QThread>

#include <numeric>

namespace {

// Enough skins a batch that the filter is run again seldom, few enough that
// descriptions join it while the user types.
constexpr std::size_t kDescriptionsABatch = 2000;

QString foldedDescription(const std::filesystem::path &skin)
{
    // A skin that cannot be read has no description to find it by; the list
    // and the apply report its failures.
    const Result<QString> field = ReadDescription(skin);
    return field.ok() ? CaseFolded(ShownDescription(field.value).trimmed()) : QString();
}

} // namespace

GalleryModel::GalleryModel(const SkinListModel &skins, QObject *parent)
    : QAbstractListModel(parent)
    , skins_(skins)
{
    // The pictures of the cells in view, and the user's typing, come first.
    reader_.setMaxThreadCount(1);
    reader_.setThreadPriority(QThread::IdlePriority);
    // The background read uses the list's skins where they are, so it ends
    // before the list changes them; then all is taken afresh.
    const auto aboutToChange = [this] {
        stopReading();
        beginResetModel();
    };
    const auto changed = [this] {
        follow();
        endResetModel();
    };
    connect(&skins_, &QAbstractItemModel::modelAboutToBeReset, this, aboutToChange);
    connect(&skins_, &QAbstractItemModel::rowsAboutToBeInserted, this, aboutToChange);
    connect(&skins_, &QAbstractItemModel::rowsAboutToBeRemoved, this, aboutToChange);
    connect(&skins_, &QAbstractItemModel::layoutAboutToBeChanged, this, aboutToChange);
    connect(&skins_, &QAbstractItemModel::modelReset, this, changed);
    connect(&skins_, &QAbstractItemModel::rowsInserted, this, changed);
    connect(&skins_, &QAbstractItemModel::rowsRemoved, this, changed);
    connect(&skins_, &QAbstractItemModel::layoutChanged, this, changed);
    // The mark of the active skin is all the list changes in place.
    connect(&skins_, &QAbstractItemModel::dataChanged, this, [this] {
        if (!rows_.empty())
            emit dataChanged(index(0), index(rowCount() - 1), {ActiveRole});
    });
    follow();
}

GalleryModel::~GalleryModel()
{
    stopReading();
}

int GalleryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

QVariant GalleryModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return skinAt(index.row()).shown;
    case ActiveRole:
        return skins_.isActive(rows_[std::size_t(index.row())]);
    default:
        return {};
    }
}

const SkinName &GalleryModel::skinAt(int row) const
{
    return skins_.skinAt(rows_[std::size_t(row)]);
}

int GalleryModel::rowOf(const std::filesystem::path &file) const
{
    const int skin = skins_.rowOf(file);
    const auto found = std::lower_bound(rows_.begin(), rows_.end(), skin);
    return skin >= 0 && found != rows_.end() && *found == skin ? int(found - rows_.begin()) : -1;
}

void GalleryModel::setFilter(const QString &text)
{
    const QString folded = CaseFolded(text.trimmed());
    if (folded == filter_)
        return;
    filter_ = folded;
    if (!filter_.isEmpty())
        readDescriptions();
    // Typed before the background has folded the names: they are folded now.
    if (!filter_.isEmpty() && foldedNames_.size() != skins_.skins().size())
        foldNames();
    resetAround(&GalleryModel::refilter);
}

void GalleryModel::readDescriptions()
{
    if (readingWanted_)
        return;
    readingWanted_ = true;
    startReading();
}

void GalleryModel::rereadDescription(int row)
{
    const int skin = rows_[std::size_t(row)];
    foldedDescriptions_[std::size_t(skin)] =
        foldedDescription(SkinFilePath(skins_.skinAt(skin).file));
}

void GalleryModel::resetAround(void (GalleryModel::*change)())
{
    beginResetModel();
    (this->*change)();
    endResetModel();
}

void GalleryModel::stopReading()
{
    reading_.cancel();
    reading_.waitForFinished();
}

void GalleryModel::foldNames()
{
    foldedNames_.clear();
    foldedNames_.reserve(skins_.skins().size());
    for (const SkinName &skin : skins_.skins())
        foldedNames_.push_back(CaseFolded(skin.shown));
}

// A new list of skins: all shown at once, their names folded and their
// descriptions read off the window's thread when they are wanted.
void GalleryModel::follow()
{
    // A filter keeps its matches by name at once; by description as they are read.
    if (filter_.isEmpty())
        foldedNames_.clear();
    else
        foldNames();
    foldedDescriptions_.assign(skins_.skins().size(), QString());
    refilter();
    ++readsStarted_; // what a read before finds is of a list that is gone
    if (readingWanted_)
        startReading();
}

void GalleryModel::startReading()
{
    reading_ =
        QtConcurrent::run(&reader_, [this, generation = readsStarted_, &skins = skins_.skins(),
                                     folder = SkinsFolderPath()](QPromise<void> &promise) {
            Folded names{generation, 0, {}};
            names.texts.reserve(skins.size());
            for (const SkinName &skin : skins) {
                if (promise.isCanceled())
                    return;
                names.texts.push_back(CaseFolded(skin.shown));
            }
            QMetaObject::invokeMethod(
                this, [this, names = std::move(names)]() mutable { addNames(std::move(names)); });
            std::size_t first = 0;
            do { // an empty list too says that its descriptions are read
                const std::size_t end = std::min(skins.size(), first + kDescriptionsABatch);
                Folded batch{generation, first, {}};
                batch.texts.reserve(end - first);
                for (std::size_t skin = first; skin < end; ++skin) {
                    if (promise.isCanceled())
                        return;
                    batch.texts.push_back(foldedDescription(folder / skins[skin].file));
                }
                QMetaObject::invokeMethod(this, [this, batch = std::move(batch)]() mutable {
                    addDescriptions(std::move(batch));
                });
                first = end;
            } while (first < skins.size());
        });
}

void GalleryModel::addNames(Folded names)
{
    if (names.generation == readsStarted_ && foldedNames_.empty())
        foldedNames_ = std::move(names.texts);
}

void GalleryModel::addDescriptions(Folded batch)
{
    if (batch.generation != readsStarted_)
        return;        // of a list that is gone
    bool more = false; // skins that show now and did not before
    for (std::size_t i = 0; i < batch.texts.size(); ++i) {
        const std::size_t skin = batch.first + i;
        const bool before = !filter_.isEmpty() && matches(skin);
        foldedDescriptions_[skin] = std::move(batch.texts[i]);
        more = more || (!filter_.isEmpty() && !before && matches(skin));
    }
    if (more)
        resetAround(&GalleryModel::refilter);
    if (batch.first + batch.texts.size() == foldedDescriptions_.size())
        emit descriptionsRead();
}

bool GalleryModel::matches(std::size_t skin) const
{
    return foldedNames_[skin].contains(filter_) || foldedDescriptions_[skin].contains(filter_);
}

void GalleryModel::refilter()
{
    rows_.clear();
    if (filter_.isEmpty()) {
        rows_.resize(skins_.skins().size());
        std::iota(rows_.begin(), rows_.end(), 0);
        return;
    }
    for (std::size_t skin = 0; skin < foldedNames_.size(); ++skin)
        if (matches(skin))
            rows_.push_back(int(skin));
}
