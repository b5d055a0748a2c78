#pragma once

#include "SkinLibrary.h"

#include <QAbstractListModel>

#include <vector>

// The skins the list shows: the text of each, and behind it the name its file
// really has, from which every path to it is built.
class SkinListModel : public QAbstractListModel
{
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    void setSkins(std::vector<SkinName> skins);
    const SkinName &skinAt(int row) const { return skins_[std::size_t(row)]; }

private:
    std::vector<SkinName> skins_;
};
