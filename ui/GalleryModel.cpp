#include "GalleryModel.h"

#include "DescriptionField.h"
#include "SkinListModel.h"

#include <QtConcurrent/QtConcurrentRun>

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
    connect(&skins_, &QAbstractItemModel::modelAboutToBeReset, this,
            &GalleryModel::beginResetModel);
    connect(&skins_, &QAbstractItemModel::modelReset, this, [this] {
        follow();
        endResetModel();
    });
    // The mark of the active skin is all the list changes without a reset.
    connect(&skins_, &QAbstractItemModel::dataChanged, this, [this] {
        if (!rows_.empty())
            emit dataChanged(index(0), index(rowCount() - 1), {ActiveRole});
    });
    follow();
}

GalleryModel::~GalleryModel()
{
    reading_.cancel();
    reading_.waitForFinished();
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
    beginResetModel();
    refilter();
    endResetModel();
}

void GalleryModel::rereadDescription(int row)
{
    const std::size_t skin = std::size_t(rows_[std::size_t(row)]);
    if (skin < foldedDescriptions_.size())
        foldedDescriptions_[skin] = foldedDescription(SkinFilePath(skins_.skinAt(int(skin)).file));
}

// A new list of skins: names folded at once, descriptions read afresh.
void GalleryModel::follow()
{
    const std::vector<SkinName> &skins = skins_.skins();
    foldedNames_.clear();
    foldedNames_.reserve(skins.size());
    for (const SkinName &skin : skins)
        foldedNames_.push_back(CaseFolded(skin.shown));
    foldedDescriptions_.assign(skins.size(), QString());
    refilter();
    readDescriptions();
}

void GalleryModel::readDescriptions()
{
    reading_.cancel();
    // The folder is named once: each name of it costs a look at the executable.
    const std::filesystem::path folder = SkinsFolderPath();
    std::vector<std::filesystem::path> files;
    files.reserve(skins_.skins().size());
    for (const SkinName &skin : skins_.skins())
        files.push_back(folder / skin.file);
    reading_ = QtConcurrent::run(
        [this, generation = ++readsStarted_](QPromise<void> &promise,
                                             const std::vector<std::filesystem::path> &files) {
            std::size_t first = 0;
            do {
                const std::size_t end = std::min(files.size(), first + kDescriptionsABatch);
                Descriptions batch{generation, first, {}, end == files.size()};
                for (std::size_t skin = first; skin < end; ++skin)
                    batch.folded.push_back(foldedDescription(files[skin]));
                QMetaObject::invokeMethod(this, [this, batch] { addDescriptions(batch); });
                first = end;
            } while (first < files.size() && !promise.isCanceled());
        },
        std::move(files));
}

void GalleryModel::addDescriptions(const Descriptions &batch)
{
    if (batch.generation != readsStarted_)
        return;        // of a list that is gone
    bool more = false; // skins that show now and did not before
    for (std::size_t i = 0; i < batch.folded.size(); ++i) {
        const std::size_t skin = batch.first + i;
        const bool before = matches(skin);
        foldedDescriptions_[skin] = batch.folded[i];
        more = more || (!before && matches(skin));
    }
    if (more) {
        beginResetModel();
        refilter();
        endResetModel();
    }
    if (batch.last)
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
        rows_.resize(foldedNames_.size());
        std::iota(rows_.begin(), rows_.end(), 0);
        return;
    }
    for (std::size_t skin = 0; skin < foldedNames_.size(); ++skin)
        if (matches(skin))
            rows_.push_back(int(skin));
}
