#include "platform/Platform.h"

#include <windows.h>

#include <commctrl.h>

namespace platform {

void InitCommonControls()
{
    ::InitCommonControls();
}

QString pathSeparator()
{
    return QStringLiteral("\\");
}

QStringDecoder ansiDecoder()
{
    return QStringDecoder(QStringConverter::System);
}

bool isHiddenOrSystem(const QString &folder, const QString &name)
{
    const QString path = folder + u'\\' + name;
    const DWORD attributes = GetFileAttributesW(reinterpret_cast<LPCWSTR>(path.utf16()));
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
}

SettingsLocation settingsLocation()
{
    // Where the earlier program's runtime kept these values, so they carry over.
    return {QStringLiteral("VB and VBA Program Settings"), QStringLiteral("Kelvora Skin Manager")};
}

} // namespace platform
