#pragma once

#include "FileError.h"

#include <QDateTime>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace platform {
class FileLock;
}

// The history of the active skin file: the files that applies replaced, kept
// in the user's data folder for this program, one history per viewer folder.
// The history is what its folder holds, no index beside it: each entry is a
// file, made whole under a temporary name and then renamed into place, its
// skin's name in a file beside it written before; a reader never sees half an
// entry. Writers take the history's lock for the whole of "keep the entry,
// replace the active file", so two programs that apply at once keep what each
// of them replaced.

// One earlier active skin file.
struct HistoryEntry
{
    std::filesystem::path file; // its bytes, named by its sequence number and time
    std::uint64_t sequence = 0; // higher for a newer entry
    QDateTime time;             // when it was replaced
    // The library skin whose bytes it held then, as a bare file name; none
    // when no skin held them.
    std::optional<std::filesystem::path> skin;
    std::uintmax_t size = 0;
};

// The entry's skin as the user reads it: its file name, or "неизвестный скин".
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

// Keeps the active skin file that one apply replaces. keep() takes the
// history's lock, which this holds until commit() or discard(), so that the
// file it keeps is the one the apply replaces.
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

    // Before active is replaced: its bytes become an entry that nobody sees
    // yet, a second name of the file where the system allows it, else a copy.
    // Nothing is kept, and nothing is wrong, when there is no active skin
    // file. A failure says why this replacement cannot be undone; the
    // replacement goes on, under the lock when it could be taken.
    [[nodiscard]] Status keep(const std::filesystem::path &active);

    // After the replacement: the entry becomes the newest unless it holds the
    // bytes of the newest already, and entries past the bounds go. A failure
    // says why the replacement cannot be undone.
    [[nodiscard]] Status commit();

    // The replacement failed: the entry made for it goes again.
    void discard();

private:
    void release();

    Result<std::filesystem::path> history_;
    std::filesystem::path viewerFolder_;
    std::filesystem::path skinsFolder_;
    std::unique_ptr<platform::FileLock> lock_;
    std::filesystem::path kept_; // the entry not yet in place; empty when none
};
