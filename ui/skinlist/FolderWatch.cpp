#include "FolderWatch.h"

#include "PlatformEdge.h"

#include <QFileSystemWatcher>

#include <utility>

FolderWatch::FolderWatch(QObject *parent)
    : QObject(parent)
    , watcher_(new QFileSystemWatcher)
{
    thread_.setObjectName(QStringLiteral("Folder watch"));
    watcher_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, watcher_, &QObject::deleteLater);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, watcher_,
            [this](const QString &folder) { noteChange(folder); });
    thread_.start();
}

FolderWatch::~FolderWatch()
{
    thread_.quit();
    thread_.wait();
}

void FolderWatch::watch(const std::filesystem::path &skins,
                        const std::filesystem::path &application, std::function<void()> watching)
{
    QMetaObject::invokeMethod(watcher_, [this, skins, application, watching] {
        setWatch(skins, application);
        QMetaObject::invokeMethod(this, watching);
    });
}

void FolderWatch::setWatch(const std::filesystem::path &skins,
                           const std::filesystem::path &application)
{
    // The Skins folder is watched anew: the one watched may have been renamed
    // away since. The application folder's watch stays: removed and added
    // again, a Skins folder that came in between would go unseen.
    const QString applicationText = FromNativePath(application);
    QStringList stale = watcher_->directories();
    stale.removeAll(applicationText);
    if (!stale.isEmpty())
        watcher_->removePaths(stale);
    skins_ = skins;
    watchedSkins_.clear();
    std::error_code error;
    if (std::filesystem::is_directory(skins, error) && add(skins))
        watchedSkins_ = FromNativePath(skins);
    if (!watcher_->directories().contains(applicationText))
        add(application);
}

bool FolderWatch::add(const std::filesystem::path &folder)
{
    if (watcher_->addPath(FromNativePath(folder)))
        return true;
    if (!std::exchange(toldUnwatched_, true))
        emit unwatched(FromNativePath(folder));
    return false;
}

// The application folder also changes with every apply and whatever the viewer
// writes there: only a Skins folder that came or went is worth a read. (One
// renamed away and made anew at once goes unseen until its next change.)
void FolderWatch::noteChange(const QString &folder)
{
    std::error_code error;
    if (folder == watchedSkins_ ||
        std::filesystem::is_directory(skins_, error) == watchedSkins_.isEmpty())
        emit changed();
}
