#pragma once

#include <QObject>

#include <filesystem>

class QAbstractItemView;
class QUrl;

// Skins dropped onto the list from a file manager: each ".scn" file is copied
// into the Skins folder with its preview beside it, a skin of a name that is
// there already only after the user agrees; other files are refused with a
// message that names them.
class SkinDrop : public QObject
{
    Q_OBJECT

public:
    explicit SkinDrop(QAbstractItemView *list);

signals:
    // Skins were added; this one (its file name) was added last.
    void added(const std::filesystem::path &last);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void addDropped(const QList<QUrl> &urls);

    QWidget *window_;
};
