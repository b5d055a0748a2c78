#include "platform/Platform.h"

namespace platform {

void InitCommonControls() {}

QString pathSeparator()
{
    return QStringLiteral("/");
}

QStringDecoder ansiDecoder()
{
    // Without a system ANSI code page, use the one the program's Russian texts need.
    return QStringDecoder("windows-1251");
}

bool isHiddenOrSystem(const QString &, const QString &name)
{
    return name.startsWith(u'.');
}

SettingsLocation settingsLocation()
{
    // An INI file named after the program directly in the XDG config folder.
    return {QStringLiteral("Kelvora Skin Manager"), QString()};
}

} // namespace platform
