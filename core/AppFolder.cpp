#include "AppFolder.h"

#include "platform/Platform.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString &folderOverride()
{
    static QString folder;
    return folder;
}
} // namespace

QString ApplicationFolder()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    if (folder.endsWith(platform::pathSeparator()))
        folder.chop(platform::pathSeparator().size());
    return folder;
}

void SetApplicationFolderForTesting(const QString &folder)
{
    folderOverride() = folder;
}
