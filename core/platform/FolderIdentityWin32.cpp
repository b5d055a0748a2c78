#include "FolderIdentity.h"
#include "Win32Support.h"

namespace platform {

Result<std::string> folderIdentity(const std::filesystem::path &folder)
{
    const win32::Handle opened(
        CreateFileW(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!opened.valid())
        return {{}, win32::failureOf(folder)};
    BY_HANDLE_FILE_INFORMATION information;
    if (!GetFileInformationByHandle(opened.get(), &information))
        return {{}, win32::failureOf(folder)};
    if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return {{}, Failure{folder, std::make_error_code(std::errc::not_a_directory)}};
    // The long form of the path the handle leads to, in one letter case, as
    // Windows compares names.
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(opened.get(), name.data(),
                                                       DWORD(name.size()), FILE_NAME_NORMALIZED);
        if (length == 0)
            return {{}, win32::failureOf(folder)};
        const bool fits = length < name.size();
        name.resize(length);
        if (fits)
            break;
    }
    CharUpperBuffW(name.data(), DWORD(name.size()));
    return {win32::toUtf8(name), std::nullopt};
}

} // namespace platform
