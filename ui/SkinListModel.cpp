#include "SkinListModel.h"

int SkinListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(skins_.size());
}

QVariant SkinListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return skinAt(index.row()).shown;
}

void SkinListModel::setSkins(std::vector<SkinName> skins)
{
    beginResetModel();
    skins_ = std::move(skins);
    endResetModel();
}
