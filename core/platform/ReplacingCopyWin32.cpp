#include "ReplacingCopy.h"
#include "TemporaryFiles.h"
#include "Win32Support.h"

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

namespace platform {

using win32::Handle;

namespace {

constexpr DWORD kChunkSize = 256 * 1024;

// A file that another program holds open (a virus scanner, an indexer, the
// viewer) refuses to be replaced for a moment: try again for about 200 ms.
constexpr int kAttempts = 10;
constexpr DWORD kPauseMilliseconds = 20;

bool isHeldOpen(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED;
}

// The file that a symbolic link or junction leads to; the path itself when it
// is none or leads to nothing yet.
std::filesystem::path finalTarget(const std::filesystem::path &path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        return path;
    const Handle file(CreateFileW(path.c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid())
        return path;
    std::wstring target(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(file.get(), target.data(),
                                                       DWORD(target.size()), FILE_NAME_NORMALIZED);
        if (length == 0)
            return path;
        if (length < target.size()) {
            target.resize(length);
            break;
        }
        target.resize(length);
    }
    // "\\?\C:\..." and "\\?\UNC\server\..." in the form the user knows.
    if (target.rfind(LR"(\\?\UNC\)", 0) == 0)
        return LR"(\\)" + target.substr(8);
    if (target.rfind(LR"(\\?\)", 0) == 0)
        return target.substr(4);
    return target;
}

// Retries while another program holds the target open; false with the last
// error set when that does not end in time.
bool moveReplacing(const std::filesystem::path &from, const std::filesystem::path &to)
{
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(from.c_str(), to.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        if (!isHeldOpen(GetLastError()) || attempt == kAttempts)
            return false;
        Sleep(kPauseMilliseconds);
    }
}

// Six letters or digits that no earlier call of this process gave, and that
// another process is unlikely to give at the same moment.
std::wstring uniquePart()
{
    static std::atomic<unsigned long long> counter = 0; // copies may run on two threads
    constexpr std::wstring_view digits =
        L"0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    unsigned long long seed =
        (GetTickCount64() << 20) ^ (ULONGLONG(GetCurrentProcessId()) << 8) ^ ++counter;
    std::wstring unique;
    for (int i = 0; i < 6; ++i, seed /= digits.size())
        unique += digits[seed % digits.size()];
    return unique;
}

// A file of a unique name beside another, removed when this goes unless it
// has taken the other's place. Open without sharing, it cannot be deleted by
// another copy of the program that starts meanwhile.
class TemporaryFile
{
public:
    explicit TemporaryFile(const std::filesystem::path &beside)
    {
        for (;;) {
            path_ = temporaryPathBeside(beside, uniquePart());
            file_ = Handle(CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
            if (file_.valid() || GetLastError() != ERROR_FILE_EXISTS)
                break;
        }
        created_ = file_.valid();
    }
    ~TemporaryFile()
    {
        if (file_.valid())
            file_.close();
        if (created_ && !kept_)
            DeleteFileW(path_.c_str());
    }
    TemporaryFile(const TemporaryFile &) = delete;
    TemporaryFile &operator=(const TemporaryFile &) = delete;

    bool valid() const { return file_.valid(); }
    HANDLE get() const { return file_.get(); }
    bool close() { return file_.close(); }

    bool replace(const std::filesystem::path &target)
    {
        kept_ = moveReplacing(path_, target);
        return kept_;
    }

private:
    std::wstring path_;
    Handle file_;
    bool created_ = false;
    bool kept_ = false;
};

bool hasOneName(const std::filesystem::path &file)
{
    const Handle opened(CreateFileW(file.c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
    BY_HANDLE_FILE_INFORMATION information;
    return opened.valid() && GetFileInformationByHandle(opened.get(), &information) &&
           information.nNumberOfLinks == 1;
}

// Every count is checked: a full disk can take part of the bytes without
// reporting an error.
Status writeAll(HANDLE output, const char *bytes, std::size_t size,
                const std::filesystem::path &target)
{
    while (size > 0) {
        DWORD n = 0;
        if (!WriteFile(output, bytes, DWORD(std::min<std::size_t>(size, kChunkSize)), &n, nullptr))
            return win32::failureOf(target);
        if (n == 0)
            return Failure{target, FileProblem::writeCutShort};
        bytes += n;
        size -= n;
    }
    return std::nullopt;
}

Status copyContents(HANDLE input, const std::filesystem::path &source, HANDLE output,
                    const std::filesystem::path &target)
{
    std::vector<char> chunk(kChunkSize);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(input, chunk.data(), kChunkSize, &got, nullptr))
            return win32::failureOf(source);
        if (got == 0)
            return std::nullopt;
        if (Status failed = writeAll(output, chunk.data(), got, target))
            return failed;
    }
}

} // namespace

Status copyReplacing(const std::filesystem::path &source, const std::filesystem::path &destination)
{
    if (Status nowhere = leadsNowhere(source, destination))
        return nowhere;
    const std::filesystem::path target = finalTarget(destination);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return Failure{target, FileProblem::readOnly};

    const Result<Handle> input = win32::openDiskFile(source, GENERIC_READ, OPEN_EXISTING);
    if (!input.ok())
        return input.failure;
    TemporaryFile output(target);
    if (!output.valid())
        return win32::failureOf(target);
    if (Status copied = copyContents(input.value.get(), source, output.get(), target))
        return copied;
    // The new bytes reach the disk before the name points at them, so a crash
    // leaves the old file or the new one, never an empty one.
    if (!FlushFileBuffers(output.get()) || !output.close() || !output.replace(target))
        return win32::failureOf(target);
    return std::nullopt;
}

Status renameReplacing(const std::filesystem::path &from, const std::filesystem::path &to)
{
    if (!moveReplacing(from, to))
        return win32::failureOf(to);
    return std::nullopt;
}

Status linkOrCopy(const std::filesystem::path &from, const std::filesystem::path &to)
{
    if (!DeleteFileW(to.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
        return win32::failureOf(to);
    const std::filesystem::path target = finalTarget(from);
    if (hasOneName(target) && CreateHardLinkW(to.c_str(), target.c_str(), nullptr))
        return std::nullopt;
    return copyReplacing(from, to);
}

Status writeReplacing(const std::filesystem::path &destination, std::string_view bytes)
{
    // A new file of Windows takes the folder's permissions, which are the
    // user's own in the profile where caches live.
    TemporaryFile output(destination);
    if (!output.valid())
        return win32::failureOf(destination);
    if (Status failed = writeAll(output.get(), bytes.data(), bytes.size(), destination))
        return failed;
    if (!output.close() || !output.replace(destination))
        return win32::failureOf(destination);
    return std::nullopt;
}

} // namespace platform
