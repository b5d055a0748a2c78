#include "PositionedFile.h"
#include "Win32Support.h"

#include <algorithm>

namespace platform {

using win32::Handle;

namespace {

// The most that one ReadFile or WriteFile call is handed.
constexpr std::size_t kMostPerCall = 1u << 30;

OVERLAPPED at(std::uint64_t offset)
{
    OVERLAPPED position{};
    position.Offset = DWORD(offset & 0xFFFFFFFFu);
    position.OffsetHigh = DWORD(offset >> 32);
    return position;
}

} // namespace

Result<std::string> readAt(const std::filesystem::path &path, std::uint64_t offset,
                           std::size_t length)
{
    Result<Handle> file = win32::openDiskFile(path, GENERIC_READ, OPEN_EXISTING);
    if (!file.ok())
        return {{}, file.failure};
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.value.get(), &size))
        return {{}, win32::failureOf(path)};
    // Room for what the file holds there, not for all that was asked.
    const std::uint64_t held = std::uint64_t(size.QuadPart) > offset ? size.QuadPart - offset : 0;
    length = std::size_t(std::min<std::uint64_t>(length, held));

    std::string bytes(length, '\0');
    std::size_t got = 0;
    while (got < length) {
        OVERLAPPED position = at(offset + got);
        DWORD n = 0;
        if (!ReadFile(file.value.get(), bytes.data() + got,
                      DWORD(std::min(length - got, kMostPerCall)), &n, &position) &&
            GetLastError() != ERROR_HANDLE_EOF)
            return {{}, win32::failureOf(path)};
        if (n == 0)
            break;
        got += n;
    }
    bytes.resize(got);
    return {std::move(bytes), std::nullopt};
}

Status writeAt(const std::filesystem::path &path, std::uint64_t offset, std::string_view bytes)
{
    Result<Handle> file = win32::openDiskFile(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
    FILE_END_OF_FILE_INFO before{};
    if (!file.ok())
        return file.failure;
    if (!GetFileSizeEx(file.value.get(), &before.EndOfFile))
        return win32::failureOf(path);

    std::size_t written = 0;
    while (written < bytes.size()) {
        OVERLAPPED position = at(offset + written);
        DWORD n = 0;
        const BOOL ok =
            WriteFile(file.value.get(), bytes.data() + written,
                      DWORD(std::min(bytes.size() - written, kMostPerCall)), &n, &position);
        if (!ok || n == 0) {
            const Failure failure =
                ok ? Failure{path, FileProblem::writeCutShort} : win32::failureOf(path);
            // A partial write must not leave the file grown; when even that
            // fails, the file is not as it was, which matters more.
            if (!SetFileInformationByHandle(file.value.get(), FileEndOfFileInfo, &before,
                                            sizeof before))
                return win32::failureOf(path);
            return failure;
        }
        written += n;
    }
    if (!file.value.close())
        return win32::failureOf(path);
    return std::nullopt;
}

} // namespace platform
