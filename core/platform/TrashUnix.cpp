#include "DataFolder.h"
#include "Trash.h"
#include "UnixSupport.h"

#include <cctype>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

// The trash of the freedesktop.org desktops: a folder "files" with what was
// deleted and a folder "info" with a record of each, named after it, saying
// where it came from and when. The home trash takes files of its own volume;
// another volume has its trash in its top folder.
namespace platform {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kRecordSuffix = ".trashinfo";
// Earlier deletions of a file of the same name take numbered names; past this
// many the file is removed instead.
constexpr int kNameAttempts = 100;
constexpr std::size_t kLongestName = 255;

struct TrashFolder
{
    fs::path root;
    fs::path base; // records name files relative to this folder; empty: absolute
};

bool statusOf(const fs::path &path, struct stat &status)
{
    return ::lstat(path.c_str(), &status) == 0;
}

// A folder for the user alone; one that is there already will do when it is a
// real folder, not a link to one.
bool ensureFolder(const fs::path &folder)
{
    struct stat status;
    return (::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST) && statusOf(folder, status) &&
           S_ISDIR(status.st_mode);
}

bool ensureTrash(const fs::path &root)
{
    return ensureFolder(root) && ensureFolder(root / "files") && ensureFolder(root / "info");
}

fs::path homeTrash()
{
    const fs::path data = userDataFolder();
    return data.empty() ? fs::path() : data / "Trash";
}

// The volume of the path, or of the nearest folder above it that exists.
dev_t volumeOf(fs::path path)
{
    struct stat status
    {
    };
    while (::stat(path.c_str(), &status) != 0 && path.has_relative_path())
        path = path.parent_path();
    return status.st_dev;
}

// The highest folder above folder on the same volume.
fs::path topFolderOf(fs::path folder, dev_t volume)
{
    for (fs::path above = folder.parent_path(); above != folder; above = folder.parent_path()) {
        struct stat status;
        if (::stat(above.c_str(), &status) != 0 || status.st_dev != volume)
            break;
        folder = above;
    }
    return folder;
}

// The home trash for a file of the home's volume, else the trash of the
// file's volume; none when the one that fits cannot be made.
std::optional<TrashFolder> trashFor(const fs::path &folder, dev_t volume)
{
    if (const fs::path home = homeTrash(); !home.empty() && volumeOf(home) == volume) {
        std::error_code ignored; // a data folder that cannot be made shows below
        fs::create_directories(home.parent_path(), ignored);
        if (ensureTrash(home))
            return TrashFolder{home, {}};
        return std::nullopt;
    }
    const fs::path top = topFolderOf(folder, volume);
    const std::string user = std::to_string(::getuid());
    // A shared .Trash is trusted only as a real folder with the sticky bit.
    struct stat shared;
    if (statusOf(top / ".Trash", shared) && S_ISDIR(shared.st_mode) &&
        (shared.st_mode & S_ISVTX) != 0 && ensureTrash(top / ".Trash" / user))
        return TrashFolder{top / ".Trash" / user, top};
    if (ensureTrash(top / (".Trash-" + user)))
        return TrashFolder{top / (".Trash-" + user), top};
    return std::nullopt;
}

// The name in the trash: the file's own, then numbered before its extension,
// and shortened to leave room for its record's suffix (the record keeps the
// whole original path), never inside a character.
std::string trashedName(const std::string &name, int attempt)
{
    const std::size_t dot = name.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot > 0;
    std::string stem = name.substr(0, hasExtension ? dot : name.size());
    std::string tail;
    if (attempt > 0)
        tail.append(1, '.').append(std::to_string(attempt));
    if (hasExtension)
        tail.append(name, dot);
    const std::size_t room = kLongestName - kRecordSuffix.size() -
                             std::min(tail.size(), kLongestName - kRecordSuffix.size());
    if (stem.size() > room) {
        stem.resize(room);
        while (!stem.empty() && (static_cast<unsigned char>(stem.back()) & 0xC0) == 0x80)
            stem.pop_back(); // continuation bytes of a cut character
        if (!stem.empty() && (static_cast<unsigned char>(stem.back()) & 0x80) != 0)
            stem.pop_back(); // and the byte that began it
    }
    return stem + tail;
}

// A path as a record holds it: each byte other than unreserved characters and
// separators as %XX.
std::string escaped(const std::string &path)
{
    constexpr std::string_view kHex = "0123456789ABCDEF";
    std::string text;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x80 && std::isalnum(byte)) ||
            std::string_view("-_.~/").find(c) != std::string_view::npos) {
            text += c;
        } else {
            text += '%';
            text += kHex[byte >> 4];
            text += kHex[byte & 0x0F];
        }
    }
    return text;
}

std::string recordOf(const fs::path &file, const TrashFolder &trash)
{
    const fs::path named = trash.base.empty() ? file : file.lexically_relative(trash.base);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
    return "[Trash Info]\nPath=" + escaped(named.native()) + "\nDeletionDate=" + date + "\n";
}

// Moves the file in with its record; false, with nothing left behind, when the
// trash cannot take it.
bool moveInto(const TrashFolder &trash, const fs::path &file)
{
    const std::string record = recordOf(file, trash);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string name = trashedName(file.filename().native(), attempt);
        const fs::path recordPath = trash.root / "info" / (name + std::string(kRecordSuffix));
        // The record claims the name: made only where none is.
        posix::Descriptor claimed(
            ::open(recordPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
        if (!claimed.valid()) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        const fs::path destination = trash.root / "files" / name;
        struct stat taken;
        const bool free = !statusOf(destination, taken);
        const bool written =
            ::write(claimed.get(), record.data(), record.size()) == ssize_t(record.size()) &&
            claimed.close();
        if (free && written && ::rename(file.c_str(), destination.c_str()) == 0)
            return true;
        ::unlink(recordPath.c_str());
        if (!free)
            continue; // a file without its record holds the name
        return false;
    }
    return false;
}

} // namespace

Status moveToTrash(const fs::path &file)
{
    struct stat status;
    if (!statusOf(file, status))
        return posix::failureOf(file);
    if (S_ISDIR(status.st_mode))
        return Failure{file, FileProblem::notARegularFile};
    std::error_code error;
    const fs::path absolute = fs::absolute(file, error);
    if (!error) {
        const std::optional<TrashFolder> trash = trashFor(absolute.parent_path(), status.st_dev);
        if (trash && moveInto(*trash, absolute))
            return std::nullopt;
    }
    // No trash can take it: the file goes as the user asked.
    if (::unlink(file.c_str()) != 0)
        return posix::failureOf(file);
    return std::nullopt;
}

} // namespace platform
