#pragma once

#include "FileError.h"

#include <filesystem>

// Applies the skin with this bare file name (empty: nothing selected): closes
// the viewer first and launches it afterwards when the settings say so.
void ApplySkin(const std::filesystem::path &name);

// Whether there is an active skin file that the last apply or undo replaced.
bool CanUndoApply();

// Puts back the active skin file that the last apply or undo replaced, in the
// steps of an apply; the file it replaces becomes the previous one in turn,
// so a second undo goes forward again.
void UndoApply();

// Copies a skin file from anywhere into the Skins folder, with its preview
// image when one is beside it, each replacing a file of its name in one step.
Status AddSkin(const std::filesystem::path &skinFile);

// Deletes the skin file and its preview without asking (nothing when no name
// is given), then has the skin list re-read.
void DeleteSkin(const std::filesystem::path &name);
