#include "FileComparison.h"
#include "PieceComparison.h"
#include "Win32Support.h"

namespace platform {

namespace {

constexpr DWORD kPiece = 256 * 1024;

// Fills the buffer from the file's position; fewer bytes only at its end.
Result<DWORD> readPiece(HANDLE file, const std::filesystem::path &path, char *buffer)
{
    DWORD got = 0;
    while (got < kPiece) {
        DWORD n = 0;
        if (!ReadFile(file, buffer + got, kPiece - got, &n, nullptr))
            return {0, win32::failureOf(path)};
        if (n == 0)
            break;
        got += n;
    }
    return {got, std::nullopt};
}

} // namespace

Result<bool> sameContents(const std::filesystem::path &first, const std::filesystem::path &second)
{
    const Result<win32::Handle> a = win32::openDiskFile(
        first, GENERIC_READ, OPEN_EXISTING, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    if (!a.ok())
        return {false, a.failure};
    const Result<win32::Handle> b =
        win32::openDiskFile(second, GENERIC_READ, OPEN_EXISTING,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    if (!b.ok())
        return {false, b.failure};
    BY_HANDLE_FILE_INFORMATION firstInformation, secondInformation;
    if (!GetFileInformationByHandle(a.value.get(), &firstInformation))
        return {false, win32::failureOf(first)};
    if (!GetFileInformationByHandle(b.value.get(), &secondInformation))
        return {false, win32::failureOf(second)};
    if (firstInformation.dwVolumeSerialNumber == secondInformation.dwVolumeSerialNumber &&
        firstInformation.nFileIndexHigh == secondInformation.nFileIndexHigh &&
        firstInformation.nFileIndexLow == secondInformation.nFileIndexLow)
        return {true, std::nullopt}; // one file under two names
    if (firstInformation.nFileSizeHigh != secondInformation.nFileSizeHigh ||
        firstInformation.nFileSizeLow != secondInformation.nFileSizeLow)
        return {false, std::nullopt};
    return samePieces(
        kPiece, [&](char *buffer) { return readPiece(a.value.get(), first, buffer); },
        [&](char *buffer) { return readPiece(b.value.get(), second, buffer); });
}

} // namespace platform
