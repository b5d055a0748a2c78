#include "TemporaryFiles.h"
#include "Win32Support.h"

namespace platform {

void removeLeftoverTemporaryFiles(const std::filesystem::path &folder)
{
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileExW((folder / L".*.tmp").c_str(), FindExInfoBasic, &entry,
                                           FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE)
        return;
    // A link or junction is never one of the program's files.
    constexpr DWORD kNotAFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    do {
        // A copy at work holds its file open, sharing only its deletion: an
        // open that shares nothing fails on it, and so nothing is removed.
        // Otherwise closing the handle removes the file.
        if ((entry.dwFileAttributes & kNotAFile) == 0 && isTemporaryFileName(entry.cFileName)) {
            const win32::Handle leftOver(
                CreateFileW((folder / entry.cFileName).c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                            FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
}

} // namespace platform
