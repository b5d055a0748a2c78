#pragma once

#include <QObject>
#include <QString>
#include <QThread>

#include <filesystem>
#include <functional>

class QFileSystemWatcher;

// Tells when another program changes the Skins folder, takes it away or makes
// it anew. The watch lives on a thread of its own because setting it makes the
// system walk every entry of the folder: milliseconds with 10,000 skins, tens
// with 100,000, which the window would otherwise stop for at every read.
class FolderWatch : public QObject
{
    Q_OBJECT

public:
    explicit FolderWatch(QObject *parent);
    ~FolderWatch() override;

    // Watches the Skins folder, when there is one, and the application folder,
    // where a Skins folder is renamed, removed or made, then calls watching on
    // the window's thread. Called at every read: a folder renamed since is not
    // the one to watch.
    void watch(const std::filesystem::path &skins, const std::filesystem::path &application,
               std::function<void()> watching);

signals:
    void changed();
    // The system refused to watch this folder (as at its limit of watches,
    // fs.inotify.max_user_watches on Linux): its changes go unseen. Once a run.
    void unwatched(const QString &folder);

private:
    void setWatch(const std::filesystem::path &skins, const std::filesystem::path &application);
    void noteChange(const QString &folder);
    bool add(const std::filesystem::path &folder);

    QThread thread_;
    QFileSystemWatcher *watcher_; // lives on thread_, as do the members below
    std::filesystem::path skins_;
    QString watchedSkins_; // empty while there is no Skins folder to watch
    bool toldUnwatched_ = false;
};
