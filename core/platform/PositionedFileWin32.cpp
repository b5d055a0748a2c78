#include "platform/PositionedFile.h"

#include <QDir>

#include <windows.h>

#include <utility>

namespace platform {

namespace {

// Owns a file handle; the close is checked by whoever cares.
class Handle
{
public:
    explicit Handle(HANDLE handle)
        : handle(handle)
    {}
    ~Handle()
    {
        if (valid())
            CloseHandle(handle);
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    Handle &operator=(Handle &&other) noexcept
    {
        std::swap(handle, other.handle);
        return *this;
    }

    HANDLE get() const { return handle; }
    bool valid() const { return handle != INVALID_HANDLE_VALUE; }
    bool close() { return CloseHandle(std::exchange(handle, INVALID_HANDLE_VALUE)) != 0; }

private:
    HANDLE handle;
};

Handle openFile(const QString &path, DWORD access, DWORD disposition)
{
    const QString native = QDir::toNativeSeparators(path);
    return Handle(CreateFileW(reinterpret_cast<LPCWSTR>(native.utf16()), access,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
}

OVERLAPPED at(qint64 offset)
{
    OVERLAPPED position{};
    position.Offset = DWORD(quint64(offset) & 0xFFFFFFFFu);
    position.OffsetHigh = DWORD(quint64(offset) >> 32);
    return position;
}

FileError systemError(const QString &path)
{
    return {path, qt_error_string(int(GetLastError()))};
}

} // namespace

Result<QByteArray> readAt(const QString &path, qint64 offset, qsizetype length)
{
    Handle file = openFile(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
    if (!file.valid())
        file = openFile(path, GENERIC_READ, OPEN_EXISTING);
    if (!file.valid())
        return Result<QByteArray>{{}, systemError(path)};

    QByteArray bytes(length, Qt::Uninitialized);
    OVERLAPPED position = at(offset);
    DWORD got = 0;
    if (!ReadFile(file.get(), bytes.data(), DWORD(length), &got, &position) &&
        GetLastError() != ERROR_HANDLE_EOF)
        return Result<QByteArray>{{}, systemError(path)};
    bytes.truncate(got);
    return Result<QByteArray>::success(std::move(bytes));
}

Status writeAt(const QString &path, qint64 offset, QByteArrayView bytes)
{
    Handle file = openFile(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
    LARGE_INTEGER before{};
    if (!file.valid() || !GetFileSizeEx(file.get(), &before))
        return systemError(path);

    OVERLAPPED position = at(offset);
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data(), DWORD(bytes.size()), &written, &position) ||
        written != DWORD(bytes.size())) {
        const FileError error = systemError(path);
        // A partial write must not leave the file grown.
        SetFilePointerEx(file.get(), before, nullptr, FILE_BEGIN);
        SetEndOfFile(file.get());
        return error;
    }
    if (!file.close())
        return systemError(path);
    return std::nullopt;
}

} // namespace platform
