#include "platform/FileReplace.h"

#include <QDir>

#include <windows.h>

namespace platform {

namespace {
// A file that another program holds open (a virus scanner, an indexer, the
// viewer) refuses to be replaced for a moment: try again for about 200 ms.
constexpr int kAttempts = 10;
constexpr DWORD kPauseMilliseconds = 20;

bool isHeldOpen(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED;
}
} // namespace

Status replaceFile(const QString &from, const QString &to)
{
    const QString source = QDir::toNativeSeparators(from);
    const QString destination = QDir::toNativeSeparators(to);
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(reinterpret_cast<LPCWSTR>(source.utf16()),
                        reinterpret_cast<LPCWSTR>(destination.utf16()),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return std::nullopt;
        const DWORD error = GetLastError();
        if (!isHeldOpen(error) || attempt == kAttempts)
            return FileError{to, qt_error_string(static_cast<int>(error))};
        Sleep(kPauseMilliseconds);
    }
}

} // namespace platform
