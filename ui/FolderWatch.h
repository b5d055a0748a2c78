#pragma once

#include <QObject>
#include <QThread>

#include <filesystem>

class QFileSystemWatcher;

// Tells when another program changes the Skins folder, or makes it anew. The
// watch lives on a thread of its own because setting it makes the system walk
// every entry of the folder: milliseconds with 10,000 skins, tens with 100,000,
// which the window would otherwise stop for at start and at every read.
class FolderWatch : public QObject
{
    Q_OBJECT

public:
    explicit FolderWatch(QObject *parent);
    ~FolderWatch() override;

    // Watches the Skins folder while it is there, the application folder while
    // it is not, so that a Skins folder made anew is seen. Called at every read:
    // a folder removed or renamed since is not the one watched.
    void watch(const std::filesystem::path &skins, const std::filesystem::path &application);

signals:
    void changed();

private:
    QThread thread_;
    QFileSystemWatcher *watcher_; // lives on thread_
};
