#include "ReplacingCopy.h"
#include "TemporaryFiles.h"
#include "Win32Support.h"

#include <algorithm>
#include <atomic>
#include <functional>
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

// Makes the attempt again while another program holds the target open; false
// with the last error set when that does not end in time.
bool triedWhileHeldOpen(const std::function<bool()> &attempt)
{
    for (int count = 1;; ++count) {
        if (attempt())
            return true;
        if (!isHeldOpen(GetLastError()) || count == kAttempts)
            return false;
        Sleep(kPauseMilliseconds);
    }
}

bool moveReplacing(const std::filesystem::path &from, const std::filesystem::path &to)
{
    return triedWhileHeldOpen([&] {
        return MoveFileExW(from.c_str(), to.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    });
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
// has taken the other's place. It stays open until then, sharing nothing but
// its deletion, so a leftover sweep of another copy of the program, which opens
// what it removes without sharing, cannot remove it; its rename goes through
// the open handle, so it is never closed before it has its name.
class TemporaryFile
{
public:
    explicit TemporaryFile(const std::filesystem::path &beside)
    {
        for (;;) {
            path_ = temporaryPathBeside(beside, uniquePart());
            file_ = Handle(CreateFileW(path_.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_DELETE,
                                       nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
            if (file_.valid() || GetLastError() != ERROR_FILE_EXISTS)
                break;
        }
    }
    ~TemporaryFile()
    {
        if (!file_.valid())
            return;
        if (!kept_) {
            FILE_DISPOSITION_INFO remove{TRUE};
            SetFileInformationByHandle(file_.get(), FileDispositionInfo, &remove, sizeof remove);
        }
        file_.close();
    }
    TemporaryFile(const TemporaryFile &) = delete;
    TemporaryFile &operator=(const TemporaryFile &) = delete;

    bool valid() const { return file_.valid(); }
    HANDLE get() const { return file_.get(); }

    // Tried again while another program holds the target open, as a move is.
    bool replace(const std::filesystem::path &target)
    {
        const std::wstring &name = target.native();
        std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + name.size() * sizeof(wchar_t));
        auto *rename = reinterpret_cast<FILE_RENAME_INFO *>(buffer.data());
        rename->ReplaceIfExists = TRUE;
        rename->RootDirectory = nullptr;
        rename->FileNameLength = DWORD(name.size() * sizeof(wchar_t));
        std::copy(name.begin(), name.end(), rename->FileName);
        kept_ = triedWhileHeldOpen([&] {
            return SetFileInformationByHandle(file_.get(), FileRenameInfo, rename,
                                              DWORD(buffer.size())) != FALSE;
        });
        return kept_;
    }

private:
    std::wstring path_;
    Handle file_;
    bool kept_ = false;
};

// Every count is checked: a full disk can take part of the bytes without
// reporting an error.
Status writeAll(HANDLE output, const char *bytes, std::size_t size,
                const std::filesystem::path &target)
{
    for (std::size_t written = 0; written < size;) {
        DWORD n = 0;
        const DWORD piece = DWORD(std::min<std::size_t>(size - written, kChunkSize));
        if (!WriteFile(output, bytes + written, piece, &n, nullptr))
            return win32::failureOf(target);
        if (n == 0)
            return Failure{target, FileProblem::writeCutShort};
        written += n;
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
        if (Status written = writeAll(output, chunk.data(), got, target))
            return written;
    }
}

// Fills a temporary file beside the file that destination leads to, makes it
// reach the disk and gives it that file's name; a cache's file only gets the
// name. A new file takes the folder's permissions, which are the user's own in
// the profile where caches live.
Status
replaceWith(const std::filesystem::path &destination,
            const std::function<Status(HANDLE output, const std::filesystem::path &target)> &fill,
            WrittenFile kind = WrittenFile::kept)
{
    // A cache's entry that is a link is replaced, never written through.
    const std::filesystem::path target =
        kind == WrittenFile::kept ? finalTarget(destination) : destination;
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return Failure{target, FileProblem::readOnly};

    TemporaryFile output(target);
    if (!output.valid())
        return win32::failureOf(target);
    if (Status filled = fill(output.get(), target))
        return filled;
    // The new bytes reach the disk before the name points at them, so a crash
    // leaves the old file or the new one, never an empty one.
    if ((kind == WrittenFile::kept && !FlushFileBuffers(output.get())) || !output.replace(target))
        return win32::failureOf(target);
    return std::nullopt;
}

} // namespace

Status copyReplacing(const std::filesystem::path &source, const std::filesystem::path &destination)
{
    if (Status nowhere = leadsNowhere(source, destination))
        return nowhere;
    const Result<Handle> input = win32::openDiskFile(source, GENERIC_READ, OPEN_EXISTING);
    if (!input.ok())
        return input.failure;
    return replaceWith(destination, [&](HANDLE output, const std::filesystem::path &target) {
        return copyContents(input.value.get(), source, output, target);
    });
}

Status writeReplacing(const std::filesystem::path &destination, std::string_view bytes,
                      WrittenFile kind)
{
    if (Status nowhere = leadsNowhere(destination, destination))
        return nowhere;
    return replaceWith(
        destination,
        [bytes](HANDLE output, const std::filesystem::path &target) {
            return writeAll(output, bytes.data(), bytes.size(), target);
        },
        kind);
}

Status renameReplacing(const std::filesystem::path &from, const std::filesystem::path &to)
{
    if (!moveReplacing(from, to))
        return win32::failureOf(to);
    return std::nullopt;
}

} // namespace platform
