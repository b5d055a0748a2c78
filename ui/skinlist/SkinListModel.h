#pragma once

#include "SkinLibrary.h"

#include <QAbstractListModel>
#include <QIcon>

#include <filesystem>
#include <set>
#include <vector>

// The skins the list shows: the text of each, and behind it the name its file
// really has, from which every path to it is built. The skins that hold the
// active skin's bytes show in bold behind a check mark.
class SkinListModel : public QAbstractListModel
{
public:
    // mark: the icon before the name of a skin that holds the active skin's bytes.
    SkinListModel(const QIcon &mark, QObject *parent);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    void setSkins(std::vector<SkinName> skins);
    // Takes the skin with this file name off the list, when it is there.
    void removeSkin(const std::filesystem::path &file);
    const SkinName &skinAt(int row) const { return skins_[std::size_t(row)]; }
    // The row of the skin with this file name; -1 when there is none.
    int rowOf(const std::filesystem::path &file) const;
    const std::vector<SkinName> &skins() const { return skins_; }

    void setActive(const std::vector<std::filesystem::path> &files);
    bool isActive(int row) const { return active_.count(skinAt(row).file) != 0; }
    // The first marked skin's file name; empty when none is marked.
    std::filesystem::path firstActive() const
    {
        return active_.empty() ? std::filesystem::path() : *active_.begin();
    }

private:
    std::vector<SkinName> skins_;
    std::set<std::filesystem::path> active_;
    const QIcon marked_;
    const QIcon unmarked_; // keeps every name where a marked one starts
};
