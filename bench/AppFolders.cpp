#include "AppFolders.h"

#include "AppFolder.h"
#include "PlatformEdge.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <map>
#include <memory>

QString AppFolderMadeOnce(const std::string &name,
                          const std::function<void(const QString &skinsFolder)> &fill)
{
    static std::map<std::string, std::unique_ptr<QTemporaryDir>> made;
    std::unique_ptr<QTemporaryDir> &folder = made[name];
    if (!folder) {
        folder = std::make_unique<QTemporaryDir>();
        const QString skinsFolder = folder->path() + QStringLiteral("/Skins");
        QDir().mkpath(skinsFolder);
        fill(skinsFolder);
    }
    return folder->path();
}

void WriteSkinFile(const QString &path, qint64 size)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(QByteArray(size, 'v'));
}

void UseAppFolder(const QString &folder)
{
    if (const Status failed = UseApplicationFolder(ToNativePath(folder)))
        qFatal("%s", qPrintable(FileErrorText(*failed)));
}
