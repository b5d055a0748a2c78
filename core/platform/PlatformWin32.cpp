#include "Platform.h"

#include <windows.h>

#include <cstdio>

#include <commctrl.h>

#include <string>

namespace platform {

void prepareUserInterface()
{
    InitCommonControls();
}

void useStartingConsole()
{
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return; // started from no console: nothing is shown, as for any windowed program
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
    SetConsoleOutputCP(GetACP());
}

Result<std::filesystem::path> executablePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0)
            return {{}, Failure{{}, lastSystemError()}};
        // A name that does not fit comes back cut to the buffer's size.
        if (length < path.size()) {
            path.resize(length);
            return {std::move(path), std::nullopt};
        }
        path.resize(path.size() * 2);
    }
}

SettingsLocation settingsLocation()
{
    // Where the earlier program's runtime kept these values, so they carry over.
    return {"VB and VBA Program Settings", "Kelvora Skin Manager"};
}

} // namespace platform
