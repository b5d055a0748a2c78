#include "Trash.h"
#include "Win32Support.h"

#include <shellapi.h>

namespace platform {

Status moveToTrash(const std::filesystem::path &file)
{
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return win32::failureOf(file);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return Failure{file, FileProblem::notARegularFile};

    std::error_code error;
    std::wstring from = std::filesystem::absolute(file, error).native();
    if (!error) {
        from.push_back(L'\0'); // the list of files ends with an empty one
        SHFILEOPSTRUCTW operation{};
        operation.wFunc = FO_DELETE;
        operation.pFrom = from.c_str();
        operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
        if (SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted &&
            GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES)
            return std::nullopt;
    }
    // No recycle bin takes it (a network drive, a path too long for the
    // shell): the file goes as the user asked.
    if (!DeleteFileW(file.c_str()))
        return win32::failureOf(file);
    return std::nullopt;
}

} // namespace platform
