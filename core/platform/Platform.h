#pragma once

// The small platform facts the skin library needs. One implementation file per
// platform is chosen by the build; nothing else in the program tests the platform.

#include "FileError.h"

#include <QString>
#include <QStringDecoder>
#include <QStringList>

namespace platform {

// Loads the platform's common controls before the first window exists.
void InitCommonControls();

// "\" on Windows, "/" elsewhere.
QString pathSeparator();

// Decoder of the single-byte code page the description field is stored in.
QStringDecoder ansiDecoder();

// Names of the regular files in a folder (links followed) that end in the
// extension, in any letter case, leaving out hidden and system entries. A
// folder that cannot be read gives its path and the reason.
Result<QStringList> visibleFileNames(const QString &folder, QLatin1StringView extension);

// Organisation and application names for QSettings::NativeFormat, per-user scope.
struct SettingsLocation
{
    QString organization;
    QString application;
};
SettingsLocation settingsLocation();

} // namespace platform
