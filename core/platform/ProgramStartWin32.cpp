#include "platform/ProgramStart.h"

#include <QDir>

#include <windows.h>

#include <string>

namespace platform {

Status startProgram(const QString &path)
{
    const QString program = QDir::toNativeSeparators(path);
    std::wstring commandLine = L"\"" + program.toStdWString() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(reinterpret_cast<LPCWSTR>(program.utf16()), commandLine.data(), nullptr,
                        nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return FileError{path, qt_error_string(static_cast<int>(GetLastError()))};
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return std::nullopt;
}

} // namespace platform
