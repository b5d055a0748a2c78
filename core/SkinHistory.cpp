#include "SkinHistory.h"

#include "AppFolder.h"
#include "platform/DataFolder.h"
#include "platform/FileComparison.h"
#include "platform/FileListing.h"
#include "platform/FileLock.h"
#include "platform/FolderIdentity.h"
#include "platform/PositionedFile.h"
#include "platform/ReplacingCopy.h"
#include "platform/TemporaryFiles.h"
#include "PlatformEdge.h"

#include <QCoreApplication>
#include <QCryptographicHash>
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
// Beside an entry: the name of the skin that held its bytes.
constexpr std::string_view kSkinNameSuffix = ".name";
// What earlier versions named their temporary files in the history: a kill
// may have left some.
constexpr std::string_view kEarlierTemporaryPrefix = ".tmp-";

constexpr std::size_t kLongestNameFile = 4096;
// Hex digits of the hash that names a history: far from any chance meeting.
constexpr qsizetype kHistoryNameLength = 24;

// An entry's name: its number, of eight digits, which orders the entries, the
// time it was replaced at, in UTC, and its size, which the entry must have:
// "00000012-20261207T160609.123Z-102400".
const QString kTimeFormat = QStringLiteral("yyyyMMdd'T'HHmmss.zzz'Z'");
constexpr int kSequenceWidth = 8;
constexpr std::uint64_t kLastSequence = 99999999;

QString sequenceText(std::uint64_t sequence)
{
    return QStringLiteral("%1").arg(sequence, kSequenceWidth, 10, QChar(u'0'));
}

QString entryName(std::uint64_t sequence, const QDateTime &time, std::uintmax_t size)
{
    return QStringLiteral("%1-%2-%3")
        .arg(sequenceText(sequence), time.toString(kTimeFormat))
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

std::function<void(HistoryStep)> &stepHook()
{
    static std::function<void(HistoryStep)> hook;
    return hook;
}

void reached(HistoryStep step)
{
    if (stepHook())
        stepHook()(step);
}

bool sameBytes(const fs::path &first, const fs::path &second)
{
    const platform::Result<bool> same = platform::sameContents(first, second);
    return same.ok() && same.value;
}

fs::path skinNameFile(const fs::path &entry)
{
    return fs::path(entry) += kSkinNameSuffix;
}

std::string_view bytesOf(const std::u8string &text)
{
    return {reinterpret_cast<const char *>(text.data()), text.size()};
}

Status writeSkinName(const fs::path &entry, const fs::path &skin)
{
    return ToStatus(platform::writeReplacing(skinNameFile(entry), bytesOf(skin.u8string())));
}

std::optional<fs::path> readSkinName(const fs::path &entry)
{
    const platform::Result<std::string> bytes =
        platform::readAt(skinNameFile(entry), 0, kLongestNameFile);
    if (!bytes.ok() || bytes.value.empty())
        return std::nullopt;
    return fs::path(std::u8string(bytes.value.begin(), bytes.value.end()));
}

// Gives an entry another name, its skin's name first: a second name of the
// name file, which is only ever replaced whole, and one sync of the folder for
// both. The old name file that stays when it cannot go is a leftover, which
// the next prune removes.
Status renameEntry(const fs::path &from, const fs::path &to)
{
    std::error_code error;
    fs::create_hard_link(skinNameFile(from), skinNameFile(to), error);
    if (error && error != std::errc::no_such_file_or_directory) // none: a skin unknown
        return failureOf(skinNameFile(to), error);
    if (Status failed = ToStatus(platform::renameReplacing(from, to))) {
        fs::remove(skinNameFile(to), error); // a name file without its entry is a leftover too
        return failed;
    }
    fs::remove(skinNameFile(from), error);
    return std::nullopt;
}

// A note for the people who look into the data folder: which viewer folder
// this history belongs to. The program never reads it.
void noteViewerFolder(const fs::path &history, const fs::path &viewerFolder)
{
    const fs::path note = history / kFolderNote;
    std::error_code error;
    if (fs::exists(note, error))
        return;
    // Without the note the history works all the same.
    [[maybe_unused]] const platform::Status ignored =
        platform::writeReplacing(note, bytesOf(viewerFolder.u8string() + u8"\n"));
}

bool holds(const fs::path &skin, std::uintmax_t size, const fs::path &file)
{
    std::error_code sizeError;
    return fs::file_size(skin, sizeError) == size && !sizeError && sameBytes(file, skin);
}

// A skin of the folder whose bytes the file of this size holds: the likely
// one when it does, else the first by name. A folder of many skins of one
// size is read only when the likely one is unknown or holds other bytes.
std::optional<fs::path> skinHolding(const fs::path &file, std::uintmax_t size,
                                    const fs::path &skinsFolder, const fs::path &likely)
{
    if (!likely.empty() && holds(skinsFolder / likely, size, file))
        return likely;
    platform::Result<std::vector<platform::NativeName>> skins =
        platform::visibleFileNames(skinsFolder, ".scn");
    if (!skins.ok())
        return std::nullopt;
    std::sort(skins.value.begin(), skins.value.end());
    for (const platform::NativeName &name : skins.value)
        if (holds(skinsFolder / name, size, file))
            return fs::path(name);
    return std::nullopt;
}

// What a history folder holds: its entries newest first, without their
// skins' names, and what killed writers left (skin names whose entry is gone,
// earlier versions' temporary files).
struct Listing
{
    std::vector<HistoryEntry> entries;
    std::vector<fs::path> leftovers;
};

Result<Listing> listHistory(const fs::path &history)
{
    Listing listing;
    std::set<fs::path> names;
    std::error_code error;
    fs::directory_iterator it(history, error);
    if (error == std::errc::no_such_file_or_directory)
        return {{}, std::nullopt};
    for (fs::directory_iterator end; !error && it != end; it.increment(error)) {
        const fs::path name = it->path().filename();
        names.insert(name);
        const std::optional<ParsedName> parsed = parseEntryName(FromNativeName(name.native()));
        if (!parsed)
            continue;
        // The size is the file's own, not its name's: an entry cut short,
        // grown or not a file at all is damaged.
        std::error_code statusError;
        const bool regular = it->is_regular_file(statusError) && !it->is_symlink(statusError);
        const std::uintmax_t size = regular ? it->file_size(statusError) : 0;
        const bool damaged = !regular || statusError || size != parsed->size;
        listing.entries.push_back(
            {it->path(), parsed->sequence, parsed->time, std::nullopt, size, damaged});
    }
    if (error)
        return {{}, failureOf(history, error)};
    std::sort(listing.entries.begin(), listing.entries.end(),
              [](const HistoryEntry &a, const HistoryEntry &b) { return a.sequence > b.sequence; });
    for (const fs::path &name : names) {
        const bool orphanName = name.extension() == kSkinNameSuffix &&
                                !names.contains(fs::path(name).replace_extension());
        if (orphanName || name.native().starts_with(fs::path(kEarlierTemporaryPrefix).native()))
            listing.leftovers.push_back(history / name);
    }
    return {std::move(listing), std::nullopt};
}

// Numbers stay of their width: past the last one the entries are numbered
// again from 1, oldest first.
Status renumber(const fs::path &history, const std::vector<HistoryEntry> &entries)
{
    std::uint64_t sequence = 0;
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        const QString name = FromNativeName(entry->file.filename().native());
        const QString renamed = sequenceText(++sequence) + name.mid(name.indexOf(u'-'));
        if (Status failed = renameEntry(entry->file, history / ToNativePath(renamed)))
            return failed;
    }
    return std::nullopt;
}

} // namespace

QString ShownSkinName(const HistoryEntry &entry)
{
    if (entry.damaged)
        return QStringLiteral("повреждённая запись");
    return entry.skin ? FromNativeName(entry.skin->native()) : QStringLiteral("неизвестный скин");
}

void SetHistoryStepHookForTesting(std::function<void(HistoryStep)> hook)
{
    stepHook() = std::move(hook);
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
    Result<Listing> listed = listHistory(history);
    if (!listed.ok())
        return {{}, listed.error};
    for (HistoryEntry &entry : listed.value.entries)
        if (!entry.damaged)
            entry.skin = readSkinName(entry.file);
    return {std::move(listed.value.entries), std::nullopt};
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

bool HistoryKeeper::lock(std::chrono::milliseconds most)
{
    unavailable_.reset();
    if (!history_.ok()) {
        unavailable_ = history_.error;
        return true;
    }
    const fs::path &history = history_.value;
    std::error_code error;
    fs::create_directories(history, error);
    if (error) {
        unavailable_ = failureOf(history, error);
        return true;
    }
    platform::Result<platform::FileLock> locked =
        platform::lockExclusively(history / kLockFile, most);
    if (!locked.ok()) {
        unavailable_ = ToFileError(*locked.failure);
        return true;
    }
    if (!locked.value.held())
        return false;
    lock_ = std::make_unique<platform::FileLock>(std::move(locked.value));
    noteViewerFolder(history, viewerFolder_);
    return true;
}

void HistoryKeeper::unlock()
{
    lock_.reset();
}

Result<std::vector<HistoryEntry>> HistoryKeeper::entries() const
{
    if (unavailable_)
        return {{}, unavailable_};
    return ReadHistory(history_.value);
}

Status HistoryKeeper::keep(const fs::path &active, const fs::path &source,
                           const fs::path &likelyHolder)
{
    if (unavailable_)
        return unavailable_;
    const fs::path &history = history_.value;
    // No active skin file, or one that is no file (a folder, a pipe): no skin to keep.
    std::error_code error;
    if (!fs::is_regular_file(active, error))
        return std::nullopt;
    const std::uintmax_t size = fs::file_size(active, error);
    if (error)
        return failureOf(active, error);
    if (size > kMostHistoryBytes)
        return FileError{FromNativePath(active),
                         QStringLiteral("файл больше %1 МиБ, которые вмещает журнал скинов")
                             .arg(kMostHistoryBytes / (1024 * 1024))};
    // The same bytes again: there is nothing to undo.
    if (sameBytes(active, source))
        return std::nullopt;

    Result<Listing> listed = listHistory(history);
    if (listed.ok() && !listed.value.entries.empty() &&
        listed.value.entries.front().sequence >= kLastSequence) {
        if (Status failed = renumber(history, listed.value.entries))
            return failed;
        listed = listHistory(history);
    }
    if (!listed.ok())
        return listed.error;
    const std::uint64_t sequence =
        listed.value.entries.empty() ? 1 : listed.value.entries.front().sequence + 1;
    const fs::path placed =
        history / ToNativePath(entryName(sequence, QDateTime::currentDateTimeUtc(), size));
    // One entry for one content: an older entry that holds these bytes becomes the newest.
    for (const HistoryEntry &entry : listed.value.entries) {
        if (entry.damaged || entry.size != size || !sameBytes(active, entry.file))
            continue;
        if (Status failed = renameEntry(entry.file, placed))
            return failed;
        kept_ = placed;
        moved_ = entry.file;
        return std::nullopt;
    }
    // The skin's name before the entry: an entry in place has its name.
    if (const std::optional<fs::path> skin = skinHolding(active, size, skinsFolder_, likelyHolder))
        if (Status failed = writeSkinName(placed, *skin))
            return failed;
    reached(HistoryStep::NameWritten);
    if (Status failed = ToStatus(platform::copyReplacing(active, placed))) {
        std::error_code ignored; // a name file without its entry is a leftover
        fs::remove(skinNameFile(placed), ignored);
        return failed;
    }
    reached(HistoryStep::EntryPlaced);
    kept_ = placed;
    return std::nullopt;
}

Status HistoryKeeper::commit()
{
    reached(HistoryStep::ActiveReplaced);
    kept_.clear();
    moved_.clear();
    if (unavailable_)
        return std::nullopt; // keep() said why nothing is kept
    const fs::path &history = history_.value;
    platform::removeLeftoverTemporaryFiles(history);
    const Result<Listing> listed = listHistory(history);
    if (!listed.ok())
        return listed.error;
    Status failure; // the first is said; the others are tried again next time
    const auto remove = [&failure](const fs::path &file) {
        std::error_code error;
        fs::remove(file, error);
        if (error && !failure)
            failure = failureOf(file, error);
    };
    for (const fs::path &leftover : listed.value.leftovers)
        remove(leftover);
    // The newest entries that fit the bounds stay, by the bytes they really take.
    std::uintmax_t bytes = 0;
    for (std::size_t i = 0; i < listed.value.entries.size(); ++i) {
        const HistoryEntry &entry = listed.value.entries[i];
        bytes += entry.size;
        if (i >= kMostHistoryEntries || bytes > kMostHistoryBytes) {
            remove(entry.file); // the entry first: readers never see a name without it
            remove(skinNameFile(entry.file));
        }
    }
    reached(HistoryStep::Pruned);
    return failure;
}

void HistoryKeeper::discard()
{
    // The replacement failed and says so; an entry that cannot go back stays
    // as a sound entry of bytes that the active file holds.
    if (!moved_.empty()) {
        [[maybe_unused]] const Status ignored = renameEntry(kept_, moved_);
    } else if (!kept_.empty()) {
        std::error_code ignored;
        fs::remove(kept_, ignored);
        fs::remove(skinNameFile(kept_), ignored);
    }
    kept_.clear();
    moved_.clear();
}
