#include "ReplacingCopy.h"
#include "TemporaryFiles.h"
#include "UnixSupport.h"

#include <cstdlib>
#include <functional>
#include <string>
#include <sys/file.h>
#include <sys/ioctl.h>
#if __has_include(<linux/fs.h>)
#include <linux/fs.h>
#endif

namespace platform {

using posix::Descriptor;

namespace {

constexpr std::size_t kChunkSize = 256 * 1024;
constexpr int kMostLinks = 40; // as many as the kernel follows in one path
constexpr mode_t kNewFileMode = 0644;
constexpr mode_t kCacheFileMode = 0600;
constexpr int kMostAttempts = 8; // at making a temporary file that no other start removes

// The file a chain of symbolic links ends at; the path itself when it is none.
Result<std::filesystem::path> finalTarget(std::filesystem::path path)
{
    for (int links = 0;; ++links) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, error)))
            return {std::move(path), std::nullopt};
        if (links == kMostLinks)
            return {{}, Failure{path, {ELOOP, std::system_category()}}};
        std::filesystem::path target = std::filesystem::read_symlink(path, error);
        if (error)
            return {{}, Failure{path, error}};
        path = target.is_absolute() ? std::move(target) : path.parent_path() / target;
    }
}

// A file of a unique name beside another, removed when this goes unless it
// has taken the other's place. It is locked while it is open, so that another
// copy of the program starting meanwhile does not take it for a leftover.
class TemporaryFile
{
public:
    explicit TemporaryFile(const std::filesystem::path &beside)
    {
        // Another copy's start may remove the file as a leftover in the moment
        // between its making and its lock; then another is made.
        for (int attempt = 0; attempt < kMostAttempts && !file_.valid(); ++attempt) {
            path_ = temporaryPathBeside(beside, "XXXXXX");
            Descriptor made(::mkostemps(path_.data(), kTemporarySuffixLength, O_CLOEXEC));
            if (!made.valid())
                return;
            // Unlocked, the file would be free for any start to remove.
            if (::flock(made.get(), LOCK_EX) != 0) {
                const int reason = errno;
                ::unlink(path_.c_str());
                errno = reason;
                return;
            }
            struct stat opened;
            if (::fstat(made.get(), &opened) == 0 &&
                posix::stillNamed(AT_FDCWD, path_.c_str(), opened))
                file_ = std::move(made);
        }
    }
    ~TemporaryFile()
    {
        if (file_.valid() && !kept_)
            ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile &) = delete;
    TemporaryFile &operator=(const TemporaryFile &) = delete;

    bool valid() const { return file_.valid(); }
    int get() const { return file_.get(); }
    // Renamed while it is still open and locked; closed when this goes.
    bool renameTo(const std::filesystem::path &target)
    {
        kept_ = ::rename(path_.c_str(), target.c_str()) == 0;
        return kept_;
    }

private:
    std::string path_;
    Descriptor file_;
    bool kept_ = false;
};

// Writes all the bytes, in as many calls as the system needs.
bool writeAll(int fd, const char *bytes, std::size_t size, std::error_code &error)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, bytes, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = n == 0 ? make_error_code(FileProblem::writeCutShort) : lastSystemError();
            return false;
        }
        bytes += n;
        size -= std::size_t(n);
    }
    return true;
}

Status copyContents(int input, const std::filesystem::path &source, int output,
                    const std::filesystem::path &target)
{
#ifdef FICLONE
    // Where the file system shares blocks between files, the copy costs none
    // and is still a file of its own: a write to either leaves the other as it was.
    if (::ioctl(output, FICLONE, input) == 0)
        return std::nullopt;
#endif
    std::string chunk(kChunkSize, '\0');
    for (;;) {
        const ssize_t got = ::read(input, chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return posix::failureOf(source);
        if (got == 0)
            return std::nullopt;
        std::error_code error;
        if (!writeAll(output, chunk.data(), std::size_t(got), error))
            return Failure{target, error};
    }
}

// Once the rename is done the copy has succeeded; syncing the folder only
// makes the new name durable sooner, so its failure changes nothing for the caller.
void syncFolderOf(const std::filesystem::path &path)
{
    const Descriptor folder(::open(path.parent_path().empty() ? "." : path.parent_path().c_str(),
                                   O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.valid())
        ::fsync(folder.get());
}

// Fills a temporary file beside the file that destination leads to, makes it
// reach the disk and gives it that file's name, then syncs the folder; a
// cache's file only gets the name.
Status
replaceWith(const std::filesystem::path &destination,
            const std::function<Status(int output, const std::filesystem::path &target)> &fill,
            WrittenFile kind = WrittenFile::kept)
{
    // A cache's entry that is a link is replaced, never written through.
    const Result<std::filesystem::path> resolved =
        kind == WrittenFile::kept ? finalTarget(destination)
                                  : Result<std::filesystem::path>{destination, std::nullopt};
    if (!resolved.ok())
        return resolved.failure;
    const std::filesystem::path &target = resolved.value;
    struct stat existing;
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (!exists && errno != ENOENT)
        return posix::failureOf(target);
    if (exists && (existing.st_mode & S_IWUSR) == 0)
        return Failure{target, FileProblem::readOnly};

    TemporaryFile output(target);
    if (!output.valid())
        return posix::failureOf(target);
    if (Status filled = fill(output.get(), target))
        return filled;
    // The new bytes reach the disk before the name points at them, so a crash
    // leaves the old file or the new one, never an empty one.
    const bool kept = kind == WrittenFile::kept;
    const mode_t mode = !kept ? kCacheFileMode : exists ? existing.st_mode & 07777 : kNewFileMode;
    if (::fchmod(output.get(), mode) != 0 || (kept && ::fsync(output.get()) != 0) ||
        !output.renameTo(target))
        return posix::failureOf(target);
    if (kept)
        syncFolderOf(target);
    return std::nullopt;
}

} // namespace

Status copyReplacing(const std::filesystem::path &source, const std::filesystem::path &destination)
{
    if (Status nowhere = leadsNowhere(source, destination))
        return nowhere;
    struct stat sourceStatus;
    const Result<Descriptor> input = posix::openRegularFile(source, O_RDONLY, sourceStatus);
    if (!input.ok())
        return input.failure;
    return replaceWith(destination, [&](int output, const std::filesystem::path &target) {
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
        [bytes](int output, const std::filesystem::path &target) {
            std::error_code error;
            if (!writeAll(output, bytes.data(), bytes.size(), error))
                return Status(Failure{target, error});
            return Status();
        },
        kind);
}

Status renameReplacing(const std::filesystem::path &from, const std::filesystem::path &to)
{
    if (::rename(from.c_str(), to.c_str()) != 0)
        return posix::failureOf(to);
    syncFolderOf(to);
    return std::nullopt;
}

} // namespace platform
