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

// Asks the running viewer to close and waits for it: true when its window is
// still there afterwards, which the caller says (SayViewerStillOpen) once it
// holds nothing that another copy of the program waits for.
[[nodiscard]] bool CloseViewer();

} // namespace Module1
