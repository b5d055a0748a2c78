#pragma once

#include <QString>

#include <filesystem>

// State shared by the whole program for the whole run.
namespace Module1 {

// In-memory copies of the four settings: filled by LoadSettings, replaced only
// by saving the preferences. A flag is asked for its meaning through IsFlagOn.
inline QString SkinFileName;
inline QString RunKLVAfterApply;
inline QString ToolTipsEnable;
inline QString KillKelvoraEnable;

// Full path of the preview image of the skin selected last; empty at start.
inline std::filesystem::path PreviewPath;

// Asks the running viewer to close and waits for it; says so when its window
// is still there afterwards.
void CloseViewer();

} // namespace Module1
