#include "SkinHistory.h"

#include "AppFolder.h"
#include "platform/DataFolder.h"
#include "platform/FileComparison.h"
#include "platform/FileListing.h"
#include "platform/FileLock.h"
#include "platform/FolderIdentity.h"
#include "platform/PositionedFile.h"
#include "platform/ReplacingCopy.h"
#include "PlatformEdge.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>
#include <set>
#include <string_view>

namespace {

namespace fs = std::filesystem;

// What a history folder holds besides its entries.
constexpr std::string_view kHistoriesFolder = "history";
constexpr std::string_view kLockFile = ".lock";
constexpr std::string_view kFolderNote = "folder.txt";
// Everything the program makes under a temporary name starts so, and nothing
// else does: what a killed program left is found and removed by that.
constexpr std::string_view kTemporaryPrefix = ".tmp-";
// Beside an entry: the name of the skin that held its bytes.
constexpr std::string_view kSkinNameSuffix = ".name";

constexpr std::size_t kLongestNameFile = 4096;
// Hex digits of the hash that names a history: far from any chance meeting.
constexpr qsizetype kHistoryNameLength = 24;

// An entry's name: its number, which orders the entries, the time it was
// replaced at, in UTC, and its size, which an entry keeps for good, so that
// the bounds are kept without asking each file: "00000012-20261207T160609.123Z-102400".
const QString kTimeFormat = QStringLiteral("yyyyMMdd'T'HHmmss.zzz'Z'");

QString entryName(std::uint64_t sequence, const QDateTime &time, std::uintmax_t size)
{
    return QStringLiteral("%1-%2-%3")
        .arg(sequence, 8, 10, QChar(u'0'))
        .arg(time.toString(kTimeFormat))
        .arg(size);
}

struct ParsedName
{
    std::uint64_t sequence = 0;
    QDateTime time;
    std::uintmax_t size = 0;
};

std::optional<ParsedName> parseEntryName(const QString &name)
{
    // Numbers read straight from their places: QDate's and QTime's own parsing
    // took a tenth of an apply, which lists every entry.
    static const QRegularExpression pattern(QStringLiteral(
        "^(\\d{1,19})-(\\d{4})(\\d{2})(\\d{2})T(\\d{2})(\\d{2})(\\d{2})\\.(\\d{3})Z-(\\d{1,19})$"));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return std::nullopt;
    const auto number = [&match](int group) { return match.capturedView(group).toInt(); };
    const QDate date(number(2), number(3), number(4));
    const QTime time(number(5), number(6), number(7), number(8));
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return ParsedName{match.capturedView(1).toULongLong(), QDateTime(date, time, Qt::UTC),
                      match.capturedView(9).toULongLong()};
}

FileError failureOf(const fs::path &path, const std::error_code &error)
{
    return ToFileError(platform::Failure{path, error});
}

// A name in the history folder that nothing else has, for something being made.
fs::path temporaryPath(const fs::path &history)
{
    const QString unique = QStringLiteral("%1-%2")
                               .arg(QCoreApplication::applicationPid())
                               .arg(QRandomGenerator::global()->generate64(), 16, 16, QChar(u'0'));
    return history / (fs::path(kTemporaryPrefix) += ToNativePath(unique));
}

fs::path skinNameFile(const fs::path &entry)
{
    return fs::path(entry) += kSkinNameSuffix;
}

// The entry goes first, so that readers never see the name without it. What
// cannot be removed now is a leftover that the next writer removes.
void removeEntry(const fs::path &entry)
{
    std::error_code ignored;
    fs::remove(entry, ignored);
    fs::remove(skinNameFile(entry), ignored);
}

// What a killed writer left: temporary files, and skin names whose entry is
// gone. Called under the lock, when no writer is at work.
void removeLeftovers(const fs::path &history)
{
    std::set<fs::path> names;
    std::error_code error;
    for (fs::directory_iterator it(history, error), end; !error && it != end; it.increment(error))
        names.insert(it->path().filename());
    for (const fs::path &name : names) {
        std::error_code ignored; // one that stays is tried again next time
        if (name.native().rfind(fs::path(kTemporaryPrefix).native(), 0) == 0)
            fs::remove_all(history / name, ignored);
        else if (name.extension() == kSkinNameSuffix &&
                 !names.contains(fs::path(name).replace_extension()))
            fs::remove(history / name, ignored);
    }
}

// Writes the bytes into a new file in one step: under a temporary name, then renamed.
Status writeNewFile(const fs::path &file, std::string_view bytes)
{
    const fs::path temporary = temporaryPath(file.parent_path());
    if (const platform::Status failed = platform::writeAt(temporary, 0, bytes)) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return ToFileError(*failed);
    }
    return ToStatus(platform::renameReplacing(temporary, file));
}

// A note for the people who look into the data folder: which viewer folder
// this history belongs to. The program never reads it.
void noteViewerFolder(const fs::path &history, const fs::path &viewerFolder)
{
    const fs::path note = history / kFolderNote;
    std::error_code error;
    if (fs::exists(note, error))
        return;
    const std::u8string text = viewerFolder.u8string() + u8"\n";
    // Without the note the history works all the same.
    [[maybe_unused]] const Status ignored = writeNewFile(
        note, std::string_view(reinterpret_cast<const char *>(text.data()), text.size()));
}

// The first skin of the folder, by name, whose bytes the file of this size holds.
std::optional<fs::path> skinHolding(const fs::path &file, std::uintmax_t size,
                                    const fs::path &skinsFolder)
{
    platform::Result<std::vector<platform::NativeName>> skins =
        platform::visibleFileNames(skinsFolder, ".scn");
    if (!skins.ok())
        return std::nullopt;
    std::sort(skins.value.begin(), skins.value.end());
    for (const platform::NativeName &name : skins.value) {
        const fs::path skin = skinsFolder / name;
        std::error_code sizeError;
        if (fs::file_size(skin, sizeError) != size || sizeError)
            continue;
        if (const platform::Result<bool> same = platform::sameContents(file, skin);
            same.ok() && same.value)
            return fs::path(name);
    }
    return std::nullopt;
}

std::optional<fs::path> readSkinName(const fs::path &entry)
{
    const platform::Result<std::string> bytes =
        platform::readAt(skinNameFile(entry), 0, kLongestNameFile);
    if (!bytes.ok() || bytes.value.empty())
        return std::nullopt;
    return fs::path(std::u8string(bytes.value.begin(), bytes.value.end()));
}

// The entries newest first, without their skins' names.
Result<std::vector<HistoryEntry>> listEntries(const fs::path &history)
{
    std::vector<HistoryEntry> entries;
    std::error_code error;
    fs::directory_iterator it(history, error);
    if (error == std::errc::no_such_file_or_directory)
        return {{}, std::nullopt};
    for (fs::directory_iterator end; !error && it != end; it.increment(error)) {
        const std::optional<ParsedName> parsed =
            parseEntryName(FromNativeName(it->path().filename().native()));
        if (!parsed)
            continue;
        entries.push_back({it->path(), parsed->sequence, parsed->time, std::nullopt, parsed->size});
    }
    if (error)
        return {{}, failureOf(history, error)};
    std::sort(entries.begin(), entries.end(),
              [](const HistoryEntry &a, const HistoryEntry &b) { return a.sequence > b.sequence; });
    return {std::move(entries), std::nullopt};
}

} // namespace

QString ShownSkinName(const HistoryEntry &entry)
{
    return entry.skin ? FromNativeName(entry.skin->native()) : QStringLiteral("неизвестный скин");
}

Result<fs::path> HistoryFolder()
{
    // The environment's bytes, as they are: a data folder whose name is no text
    // must not become a sibling named with replacement characters.
    const fs::path users = platform::userDataFolder();
    if (users.empty())
        return {{}, FileError{QString(), QStringLiteral("не найдена папка данных программы")}};
    const fs::path viewerFolder = ApplicationFolder();
    const platform::Result<std::string> identity = platform::folderIdentity(viewerFolder);
    if (!identity.ok())
        return {{}, ToFileError(*identity.failure)};
    const QByteArray hash =
        QCryptographicHash::hash(QByteArrayView(identity.value), QCryptographicHash::Sha256);
    const QString name = QString::fromLatin1(hash.toHex().left(kHistoryNameLength));
    return {users / ToNativePath(QCoreApplication::applicationName()) / kHistoriesFolder /
                ToNativePath(name),
            std::nullopt};
}

Result<std::vector<HistoryEntry>> ReadHistory(const fs::path &history)
{
    Result<std::vector<HistoryEntry>> entries = listEntries(history);
    for (HistoryEntry &entry : entries.value)
        entry.skin = readSkinName(entry.file);
    return entries;
}

Result<std::vector<HistoryEntry>> ReadHistory()
{
    const Result<fs::path> folder = HistoryFolder();
    if (!folder.ok())
        return {{}, folder.error};
    return ReadHistory(folder.value);
}

HistoryKeeper::HistoryKeeper(Result<fs::path> history, fs::path viewerFolder, fs::path skinsFolder)
    : history_(std::move(history))
    , viewerFolder_(std::move(viewerFolder))
    , skinsFolder_(std::move(skinsFolder))
{}

HistoryKeeper::~HistoryKeeper()
{
    discard();
}

Status HistoryKeeper::keep(const fs::path &active)
{
    if (!history_.ok())
        return history_.error;
    const fs::path &history = history_.value;
    std::error_code error;
    fs::create_directories(history, error);
    if (error)
        return failureOf(history, error);
    platform::Result<platform::FileLock> locked = platform::lockExclusively(history / kLockFile);
    if (!locked.ok())
        return ToFileError(*locked.failure);
    lock_ = std::make_unique<platform::FileLock>(std::move(locked.value));
    removeLeftovers(history);
    noteViewerFolder(history, viewerFolder_);

    // No active skin file, or one that is no file (a folder, a pipe): no skin to keep.
    if (!fs::is_regular_file(active, error))
        return std::nullopt;
    if (fs::file_size(active, error) > kMostHistoryBytes && !error)
        return FileError{FromNativePath(active),
                         QStringLiteral("файл больше %1 МиБ, которые вмещает журнал скинов")
                             .arg(kMostHistoryBytes / (1024 * 1024))};
    kept_ = temporaryPath(history);
    if (const platform::Status failed = platform::linkOrCopy(active, kept_)) {
        removeEntry(std::exchange(kept_, {}));
        return ToFileError(*failed);
    }
    return std::nullopt;
}

Status HistoryKeeper::commit()
{
    if (kept_.empty()) {
        release();
        return std::nullopt;
    }
    const fs::path &history = history_.value;
    const fs::path entry = std::exchange(kept_, {});
    const auto giveUp = [this, &entry](FileError failure) -> Status {
        removeEntry(entry);
        release();
        return failure;
    };

    Result<std::vector<HistoryEntry>> entries = listEntries(history);
    if (!entries.ok())
        return giveUp(*entries.error);
    if (!entries.value.empty()) {
        const platform::Result<bool> same =
            platform::sameContents(entry, entries.value.front().file);
        if (same.ok() && same.value) { // the newest entry holds these bytes already
            removeEntry(entry);
            release();
            return std::nullopt;
        }
    }
    std::error_code error;
    const std::uintmax_t size = fs::file_size(entry, error);
    if (error)
        return giveUp(failureOf(entry, error));
    const std::uint64_t sequence = entries.value.empty() ? 1 : entries.value.front().sequence + 1;
    const fs::path placed =
        history / ToNativePath(entryName(sequence, QDateTime::currentDateTimeUtc(), size));
    // The skin's name before the entry: an entry in place has its name.
    if (const std::optional<fs::path> skin = skinHolding(entry, size, skinsFolder_)) {
        const std::u8string name = skin->u8string();
        if (const platform::Status failed = platform::writeAt(
                skinNameFile(placed), 0,
                std::string_view(reinterpret_cast<const char *>(name.data()), name.size()))) {
            removeEntry(placed);
            return giveUp(ToFileError(*failed));
        }
    }
    fs::rename(entry, placed, error);
    if (error) {
        removeEntry(placed);
        return giveUp(failureOf(placed, error));
    }

    // The newest entries that fit the bounds stay.
    std::uintmax_t bytes = size;
    for (std::size_t i = 0; i < entries.value.size(); ++i) {
        bytes += entries.value[i].size;
        if (i + 1 >= kMostHistoryEntries || bytes > kMostHistoryBytes)
            removeEntry(entries.value[i].file);
    }
    release();
    return std::nullopt;
}

void HistoryKeeper::discard()
{
    if (!kept_.empty())
        removeEntry(std::exchange(kept_, {}));
    release();
}

void HistoryKeeper::release()
{
    lock_.reset();
}
