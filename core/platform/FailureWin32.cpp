#include "Failure.h"
#include "Win32Support.h"

namespace platform {

std::error_code lastSystemError()
{
    return {static_cast<int>(GetLastError()), std::system_category()};
}

CommonReason commonReasonOf(const std::error_code &code)
{
    if (code.category() != std::system_category())
        return commonReasonOfCondition(code);
    switch (code.value()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return CommonReason::noSuchFile;
    case ERROR_ACCESS_DENIED:
        return CommonReason::accessDenied;
    case ERROR_WRITE_PROTECT:
        return CommonReason::readOnlyFileSystem;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return CommonReason::noSpace;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return CommonReason::fileExists;
    case ERROR_FILENAME_EXCED_RANGE:
        return CommonReason::nameTooLong;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return CommonReason::fileInUse;
    default:
        return CommonReason::other;
    }
}

std::string systemReason(int code)
{
    wchar_t *buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t *>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", length);
    LocalFree(buffer);
    // The system's texts end in a full stop and a line break.
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' ||
                             text.back() == L'.'))
        text.pop_back();
    return text.empty() ? "error " + std::to_string(code) : win32::toUtf8(text);
}

} // namespace platform
