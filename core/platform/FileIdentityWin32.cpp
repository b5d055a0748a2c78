#include "FileIdentity.h"
#include "Win32Support.h"

namespace platform {

namespace {

// The volume and index that name a file on Windows, through any of its names.
bool identityOf(const std::filesystem::path &path, BY_HANDLE_FILE_INFORMATION &identity)
{
    const win32::Handle file(
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return file.valid() && GetFileInformationByHandle(file.get(), &identity);
}

} // namespace

bool isSameFile(const std::filesystem::path &first, const std::filesystem::path &second)
{
    BY_HANDLE_FILE_INFORMATION a;
    BY_HANDLE_FILE_INFORMATION b;
    return identityOf(first, a) && identityOf(second, b) &&
           a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

std::optional<FileVersion> fileVersion(const std::filesystem::path &path)
{
    BY_HANDLE_FILE_INFORMATION identity;
    if (!identityOf(path, identity) || (identity.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return std::nullopt;
    const auto joined = [](DWORD high, DWORD low) { return (std::uint64_t(high) << 32) | low; };
    return FileVersion{identity.dwVolumeSerialNumber,
                       joined(identity.nFileIndexHigh, identity.nFileIndexLow),
                       joined(identity.nFileSizeHigh, identity.nFileSizeLow),
                       std::int64_t(joined(identity.ftLastWriteTime.dwHighDateTime,
                                           identity.ftLastWriteTime.dwLowDateTime))};
}

} // namespace platform
