#pragma once

#include "FileError.h"
#include "SkinHistory.h"

#include <chrono>
#include <filesystem>

// What an action on the selected skin says when none is selected.
inline const QString kChooseSkinFromList = QStringLiteral("Выберите скин из списка!");

// Applies the skin with this bare file name (empty: nothing selected): closes
// the viewer first and launches it afterwards when the settings say so. The
// active skin file it replaces becomes the newest entry of the history.
void ApplySkin(const std::filesystem::path &name);

// Whether the history holds an entry to go back to.
bool CanUndoApply();

// Puts back entry `number` of the history, newest first (1: the file that the
// last apply or return replaced), in the steps of an apply; the file it
// replaces becomes the newest entry in turn, so a second undo goes forward
// again. The entry is chosen under the history's lock.
void UndoApply(std::size_t number = 1);

// Puts back this entry of the history in the steps of an apply, while it is
// there and sound.
void ReturnToEntry(const HistoryEntry &entry);

// How long an apply waits for another copy of the program that applies before
// it gives up and changes nothing. Tests shorten the wait.
inline constexpr std::chrono::milliseconds kHistoryLockWait = std::chrono::seconds(10);
void SetHistoryLockWaitForTesting(std::chrono::milliseconds wait);

// Copies a skin file from anywhere into the Skins folder, with its preview
// image when one is beside it, each replacing a file of its name in one step.
Status AddSkin(const std::filesystem::path &skinFile);

// Deletes the skin file and its preview without asking (nothing when no name
// is given), then has the skin list re-read, without the skin at once when it
// is gone. Reports nothing itself: the result says why the skin file stays,
// for a caller that tells the user.
Status DeleteSkin(const std::filesystem::path &name);
