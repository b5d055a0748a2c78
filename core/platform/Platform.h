#pragma once

// The small platform facts the skin library needs. One implementation file per
// platform is chosen by the build; nothing else in the program tests the platform.

#include <QString>
#include <QStringDecoder>

namespace platform {

// Loads the platform's common controls before the first window exists.
void InitCommonControls();

// "\" on Windows, "/" elsewhere.
QString pathSeparator();

// Decoder of the single-byte code page the description field is stored in.
QStringDecoder ansiDecoder();

// Hidden or system entries stay out of the skin list.
bool isHiddenOrSystem(const QString &folder, const QString &name);

// Organisation and application names for QSettings::NativeFormat, per-user scope.
struct SettingsLocation
{
    QString organization;
    QString application;
};
SettingsLocation settingsLocation();

} // namespace platform
