#include "FolderWatch.h"

#include "PlatformEdge.h"

#include <QFileSystemWatcher>

FolderWatch::FolderWatch(QObject *parent)
    : QObject(parent)
    , watcher_(new QFileSystemWatcher)
{
    thread_.setObjectName(QStringLiteral("Folder watch"));
    watcher_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, watcher_, &QObject::deleteLater);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &FolderWatch::changed);
    thread_.start();
}

FolderWatch::~FolderWatch()
{
    thread_.quit();
    thread_.wait();
}

void FolderWatch::watch(const std::filesystem::path &skins,
                        const std::filesystem::path &application)
{
    QMetaObject::invokeMethod(watcher_, [watcher = watcher_, skins, application] {
        if (!watcher->directories().isEmpty())
            watcher->removePaths(watcher->directories());
        std::error_code error;
        if (!std::filesystem::is_directory(skins, error) ||
            !watcher->addPath(FromNativePath(skins)))
            watcher->addPath(FromNativePath(application));
    });
}
