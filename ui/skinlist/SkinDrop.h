#pragma once

#include <QObject>
#include <QStringList>

#include <filesystem>
#include <vector>

class QAbstractItemView;
class QUrl;

// Skins dropped onto the list or the gallery from a file manager, or given to
// the program to open: each ".scn" file is copied into the Skins folder with
// its preview beside it, and each archive of skins (zip, 7z, rar, tar) is
// installed; a skin of a name that is there already only after the user
// agrees. Other files are refused with a message that names them and says
// why. Drops are refused while a long step runs or a modal window other than
// their own is open.
class SkinDrop : public QObject
{
    Q_OBJECT

public:
    explicit SkinDrop(QAbstractItemView *list);

    // Adds the files at these paths as if they were dropped, once no long step runs.
    void addFiles(const std::vector<std::filesystem::path> &files);

signals:
    // Skins were added or are the library's own; this one (its file name) came last.
    void added(const std::filesystem::path &last);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Dropped
    {
        QString shown;              // as the user knows it
        std::filesystem::path file; // empty for what is no local file
    };
    void add(const QList<Dropped> &files);
    bool takesInput() const;
    bool askToReplace(const std::filesystem::path &name) const;

    QWidget *window_;
};
