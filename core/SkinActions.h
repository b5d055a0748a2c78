#pragma once

#include <filesystem>

// Applies the skin with this bare file name (empty: nothing selected): closes
// the viewer first and launches it afterwards when the settings say so.
void ApplySkin(const std::filesystem::path &name);

// Deletes the skin file and its preview without asking (nothing when no name
// is given), then has the skin list re-read.
void DeleteSkin(const std::filesystem::path &name);
