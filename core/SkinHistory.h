#pragma once

#include "FileError.h"

#include <QDateTime>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace platform {
class FileLock;
}

// The history of the active skin file: the files that applies replaced, kept
// in the user's data folder for this program, one history per viewer folder.
// The history is what its folder holds, no index beside it: each entry is a
// file of its own, made whole and synced under a temporary name and then
// renamed into place, its skin's name in a file beside it written before; a
// reader never sees half an entry. An entry is in place, on the disk, before
// the active file is replaced, so that whatever stops the program keeps the
// replaced bytes. Writers take the history's lock for the whole of "close the
// viewer, keep the entry, replace the active file, start the viewer", so two
// programs that apply at once keep what each of them replaced.

// One earlier active skin file.
struct HistoryEntry
{
    std::filesystem::path file; // its bytes, named by its sequence number and time
    std::uint64_t sequence = 0; // higher for a newer entry
    QDateTime time;             // when it was replaced
    // The library skin whose bytes it held then, as a bare file name; none
    // when no skin held them, or the entry is damaged.
    std::optional<std::filesystem::path> skin;
    std::uintmax_t size = 0; // what it takes on the disk now
    // Not a regular file of the size its name gives: cut short, grown, or
    // a link or folder under an entry's name. It is never put back.
    bool damaged = false;
};

// The entry's skin as the user reads it: its file name, "неизвестный скин",
// or "повреждённая запись".
QString ShownSkinName(const HistoryEntry &entry);

// How many entries a history keeps at most, and how many bytes together;
// older entries go first.
inline constexpr std::size_t kMostHistoryEntries = 30;
inline constexpr std::uintmax_t kMostHistoryBytes = std::uintmax_t(256) * 1024 * 1024;

// The history folder of the application folder: a folder of the program's
// data folder named by a hash of the application folder's canonical path.
// A failure when the data folder or the application folder cannot be named.
Result<std::filesystem::path> HistoryFolder();

// The entries of a history, newest first; none when it was never made.
Result<std::vector<HistoryEntry>> ReadHistory(const std::filesystem::path &history);
// The entries of the application folder's history.
Result<std::vector<HistoryEntry>> ReadHistory();

// The steps of a writer, in their order, at which tests stop it as a kill would.
enum class HistoryStep
{
    NameWritten,    // the skin's name of the new entry is in place
    EntryPlaced,    // the entry is in place
    ActiveReplaced, // the active skin file holds the new bytes
    Pruned,         // the entries past the bounds are gone
};
void SetHistoryStepHookForTesting(std::function<void(HistoryStep)> hook);

// Keeps the active skin file that one replacement replaces, under the
// history's lock from lock() until this goes.
class HistoryKeeper
{
public:
    // history: where the entries go (or why there is no such place);
    // viewerFolder: named in the history for the people who look into it;
    // skinsFolder: where an entry's skin name is found.
    HistoryKeeper(Result<std::filesystem::path> history, std::filesystem::path viewerFolder,
                  std::filesystem::path skinsFolder);
    ~HistoryKeeper();
    HistoryKeeper(const HistoryKeeper &) = delete;
    HistoryKeeper &operator=(const HistoryKeeper &) = delete;

    // Takes the history's lock, waiting for it at most `most`: false when
    // another program holds it still. A history that cannot be made or locked
    // is no reason to wait or to stop: keep() says why nothing is kept.
    [[nodiscard]] bool lock(std::chrono::milliseconds most);
    // Lets other programs take the lock, between replacements only: what
    // entries() gave may be stale once it is taken again.
    void unlock();

    // The entries as they are under the lock, newest first.
    [[nodiscard]] Result<std::vector<HistoryEntry>> entries() const;

    // Before active is replaced by source: the bytes of active become the
    // newest entry, in place and on the disk. Nothing is kept when there is no
    // active skin file or source holds its bytes; an entry that holds them
    // already becomes the newest instead of a second copy. A failure says why
    // this replacement cannot be undone; the replacement goes on. likelyHolder
    // (empty: none) is the library skin believed to hold active's bytes, tried
    // before the others when the entry is named.
    [[nodiscard]] Status keep(const std::filesystem::path &active,
                              const std::filesystem::path &source,
                              const std::filesystem::path &likelyHolder);

    // After the replacement: entries past the bounds go. A failure says which
    // could not go.
    [[nodiscard]] Status commit();

    // The replacement failed: the entry made for it goes again, one made
    // the newest goes back to its place.
    void discard();

private:
    Result<std::filesystem::path> history_;
    std::filesystem::path viewerFolder_;
    std::filesystem::path skinsFolder_;
    Status unavailable_; // why there is no history to keep the entry in
    std::unique_ptr<platform::FileLock> lock_;
    std::filesystem::path kept_;  // the entry this replacement placed; empty when none
    std::filesystem::path moved_; // where that entry was before, when it was there already
};
