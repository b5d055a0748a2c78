#include "GalleryModel.h"

#include "DescriptionField.h"
#include "IdleWork.h"
#include "SkinListModel.h"

#include <numeric>

namespace {

// Enough skins a batch that the filter is run again seldom, few enough that
// descriptions join it while the user types.
constexpr std::size_t kDescriptionsABatch = 2000;
// How often the window looks for what the idle thread found: it cannot be
// told, as telling it would take a lock of the window's.
constexpr int kTakingMilliseconds = 30;

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
    taking_.setInterval(kTakingMilliseconds);
    connect(&taking_, &QTimer::timeout, this, &GalleryModel::takeWhatWasRead);
    // The background read is handed a copy of the list; what it finds of a
    // list that is gone is dropped, and all is taken afresh.
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
    // Once the paint that asked for it has reached the screen: the read's copy
    // of the list takes milliseconds with many skins.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!reading_)
                startReading();
        },
        Qt::QueuedConnection);
}

void GalleryModel::rereadDescription(int row)
{
    const std::size_t skin = std::size_t(rows_[std::size_t(row)]);
    foldedDescriptions_[skin] = foldedDescription(SkinFilePath(skins_.skinAt(int(skin)).file));
    readAgain_[skin] = true; // newer than what a batch may bring of it
}

void GalleryModel::resetAround(void (GalleryModel::*change)())
{
    beginResetModel();
    (this->*change)();
    endResetModel();
}

void GalleryModel::stopReading()
{
    if (reading_)
        reading_->dropped = true;
    reading_.reset();
    taking_.stop();
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
    readAgain_.assign(skins_.skins().size(), false);
    refilter();
    if (readingWanted_)
        startReading();
}

void GalleryModel::startReading()
{
    reading_ = std::make_shared<Reading>();
    taking_.start();
    RunWhenIdle([reading = reading_, skins = skins_.skins(), folder = SkinsFolderPath()] {
        Folded names{true, 0, {}};
        names.texts.reserve(skins.size());
        for (const SkinName &skin : skins) {
            if (reading->dropped)
                return;
            names.texts.push_back(CaseFolded(skin.shown));
        }
        reading->found.put(std::move(names));
        std::size_t first = 0;
        do { // an empty list too says that its descriptions are read
            const std::size_t end = std::min(skins.size(), first + kDescriptionsABatch);
            Folded batch{false, first, {}};
            batch.texts.reserve(end - first);
            for (std::size_t skin = first; skin < end; ++skin) {
                if (reading->dropped)
                    return;
                batch.texts.push_back(foldedDescription(folder / skins[skin].file));
            }
            reading->found.put(std::move(batch));
            first = end;
        } while (first < skins.size());
    });
}

void GalleryModel::takeWhatWasRead()
{
    const std::shared_ptr<Reading> reading = reading_; // a batch may end it
    for (Folded &found : reading->found.takeAll()) {
        if (reading_ != reading)
            return;
        if (found.names)
            addNames(std::move(found));
        else
            addDescriptions(std::move(found));
    }
}

void GalleryModel::addNames(Folded names)
{
    if (foldedNames_.empty())
        foldedNames_ = std::move(names.texts);
}

void GalleryModel::addDescriptions(Folded batch)
{
    bool more = false; // skins that show now and did not before
    for (std::size_t i = 0; i < batch.texts.size(); ++i) {
        const std::size_t skin = batch.first + i;
        if (readAgain_[skin])
            continue;
        const bool before = !filter_.isEmpty() && matches(skin);
        foldedDescriptions_[skin] = std::move(batch.texts[i]);
        more = more || (!filter_.isEmpty() && !before && matches(skin));
    }
    if (more)
        resetAround(&GalleryModel::refilter);
    if (batch.first + batch.texts.size() == foldedDescriptions_.size()) {
        reading_.reset(); // all found
        taking_.stop();
        emit descriptionsRead();
    }
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
