#include "Trash.h"

#include <QFile>
#include <QFileInfo>

Status MoveToTrash(const QString &path)
{
    // A path that ends in the separator names the folder itself.
    if (path.isEmpty() || QFileInfo(path).isDir())
        return FileError{path, QStringLiteral("not a file")};
    if (QFile::moveToTrash(path))
        return std::nullopt;
    // "No trash": the move failed although the file is there to be moved. Qt
    // then could neither find nor make a trash folder that can take the file
    // (a volume without one and no writable trash in the home folder, or a
    // home trash on another volume, since the file is only ever renamed into
    // the trash, never copied). A file that is missing or may not be removed
    // fails below for the same reason it failed above.
    QFile file(path);
    if (!file.remove())
        return FileError{path, file.errorString()};
    return std::nullopt;
}
