#include "platform/Platform.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

namespace platform {

void InitCommonControls()
{}

QString pathSeparator()
{
    return QStringLiteral("/");
}

QStringDecoder ansiDecoder()
{
    // Without a system ANSI code page, use the one the program's Russian texts need.
    return QStringDecoder("windows-1251");
}

Result<QStringList> visibleFileNames(const QString &folder, QLatin1StringView extension)
{
    DIR *dir = opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return Result<QStringList>::failure(folder, qt_error_string(errno));
    QStringList names;
    for (;;) {
        errno = 0;
        const dirent *entry = readdir(dir);
        if (!entry)
            break;
        // Hidden entries, the folder's own, and other extensions are passed over
        // before anything is decoded.
        const size_t length = std::strlen(entry->d_name);
        if (entry->d_name[0] == '.' || length < size_t(extension.size()) ||
            strncasecmp(entry->d_name + length - extension.size(), extension.data(),
                        extension.size()) != 0)
            continue;
        bool regular = entry->d_type == DT_REG;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat status;
            regular =
                fstatat(dirfd(dir), entry->d_name, &status, 0) == 0 && S_ISREG(status.st_mode);
        }
        if (regular)
            names.append(QFile::decodeName(entry->d_name));
    }
    const int readError = errno;
    closedir(dir);
    if (readError != 0)
        return Result<QStringList>::failure(folder, qt_error_string(readError));
    return Result<QStringList>::success(std::move(names));
}

SettingsLocation settingsLocation()
{
    // An INI file named after the program directly in the XDG config folder.
    return {QStringLiteral("Kelvora Skin Manager"), QString()};
}

} // namespace platform
