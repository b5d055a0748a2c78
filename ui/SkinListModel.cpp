#include "SkinListModel.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QStyle>

#include <algorithm>

namespace {

QIcon checkMark()
{
    return QApplication::style()->standardIcon(QStyle::SP_DialogApplyButton);
}

QIcon blankLike(const QIcon &icon)
{
    QPixmap blank(icon.actualSize(QSize(16, 16)));
    blank.fill(Qt::transparent);
    return QIcon(blank);
}

} // namespace

SkinListModel::SkinListModel(QObject *parent)
    : QAbstractListModel(parent)
    , marked_(checkMark())
    , unmarked_(blankLike(marked_))
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

int SkinListModel::rowOf(const std::filesystem::path &file) const
{
    const auto found = std::find_if(skins_.begin(), skins_.end(),
                                    [&file](const SkinName &skin) { return skin.file == file; });
    return found == skins_.end() ? -1 : int(found - skins_.begin());
}

std::vector<std::filesystem::path> SkinListModel::fileNames() const
{
    std::vector<std::filesystem::path> names;
    names.reserve(skins_.size());
    for (const SkinName &skin : skins_)
        names.push_back(skin.file);
    return names;
}

void SkinListModel::setActive(const std::vector<std::filesystem::path> &files)
{
    active_ = std::set<std::filesystem::path>(files.begin(), files.end());
    if (!skins_.empty())
        emit dataChanged(index(0), index(rowCount() - 1), {Qt::DecorationRole, Qt::FontRole});
}
