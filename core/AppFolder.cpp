#include "AppFolder.h"

#include "platform/Platform.h"
#include "PlatformEdge.h"

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
    const platform::Result<std::filesystem::path> executable = platform::executablePath();
    if (!executable.ok()) {
        // Not expected on any system the program runs on; Qt's guess from the
        // command line is better than a folder of no meaning.
        const FileError error = ToFileError(*executable.failure);
        qWarning("Cannot tell the program's folder from %s: %s", qUtf8Printable(error.path),
                 qUtf8Printable(error.reason));
        return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    }
    QString folder = FromNativePath(executable.value.parent_path());
    if (folder.endsWith(QDir::separator())) // a root folder
        folder.chop(1);
    return folder;
}

void SetApplicationFolderForTesting(const QString &folder)
{
    folderOverride() = folder;
}
