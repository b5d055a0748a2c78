#pragma once

// What the Win32 files of the layer share: an owned handle and UTF-8 <-> UTF-16.

#include "Failure.h"

#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

namespace platform::win32 {

// Owns a handle; the close is checked by whoever cares.
class Handle
{
public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE)
        : handle_(handle)
    {}
    Handle(Handle &&other) noexcept
        : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE))
    {}
    ~Handle()
    {
        if (valid())
            CloseHandle(handle_);
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    Handle &operator=(Handle &&other) noexcept
    {
        std::swap(handle_, other.handle_);
        return *this;
    }

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    bool close() { return CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != FALSE; }

private:
    HANDLE handle_;
};

inline Failure failureOf(const std::filesystem::path &path)
{
    return {path, lastSystemError()};
}

// Opens a file on a disk; anything else that CreateFileW can open (a pipe, a
// console, a device) is a failure before a byte is read or written.
inline Result<Handle> openDiskFile(const std::filesystem::path &path, DWORD access,
                                   DWORD disposition,
                                   DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE)
{
    Handle file(CreateFileW(path.c_str(), access, share, nullptr, disposition,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return {Handle(), failureOf(path)};
    if (GetFileType(file.get()) != FILE_TYPE_DISK)
        return {Handle(), Failure{path, FileProblem::notARegularFile}};
    return {std::move(file), std::nullopt};
}

inline std::wstring toUtf16(std::string_view text)
{
    if (text.empty())
        return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(size_t(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), size);
    return wide;
}

inline std::string toUtf8(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string narrow(size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), narrow.data(), size, nullptr,
                        nullptr);
    return narrow;
}

} // namespace platform::win32
