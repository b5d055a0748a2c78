#include "SkinListModel.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QPixmap>

#include <algorithm>

namespace {

QIcon blankLike(const QIcon &icon)
{
    QPixmap blank(icon.availableSizes().value(0, QSize(16, 16)));
    blank.fill(Qt::transparent);
    return QIcon(blank);
}

} // namespace

SkinListModel::SkinListModel(const QIcon &mark, QObject *parent)
    : QAbstractListModel(parent)
    , marked_(mark)
    , unmarked_(blankLike(mark))
{}

int SkinListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(skins_.size());
}

QVariant SkinListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return skinAt(index.row()).shown;
    case Qt::DecorationRole:
        return isActive(index.row()) ? marked_ : unmarked_;
    case Qt::FontRole:
        if (isActive(index.row())) {
            QFont bold = QApplication::font();
            bold.setBold(true);
            return bold;
        }
        return {};
    default:
        return {};
    }
}

void SkinListModel::setSkins(std::vector<SkinName> skins)
{
    beginResetModel();
    skins_ = std::move(skins);
    endResetModel();
}

void SkinListModel::removeSkin(const std::filesystem::path &file)
{
    const int row = rowOf(file);
    if (row < 0)
        return;
    beginRemoveRows({}, row, row);
    skins_.erase(skins_.begin() + row);
    endRemoveRows();
}

int SkinListModel::rowOf(const std::filesystem::path &file) const
{
    const auto found = std::find_if(skins_.begin(), skins_.end(),
                                    [&file](const SkinName &skin) { return skin.file == file; });
    return found == skins_.end() ? -1 : int(found - skins_.begin());
}

void SkinListModel::setActive(const std::vector<std::filesystem::path> &files)
{
    active_ = std::set<std::filesystem::path>(files.begin(), files.end());
    if (!skins_.empty())
        emit dataChanged(index(0), index(rowCount() - 1), {Qt::DecorationRole, Qt::FontRole});
}
