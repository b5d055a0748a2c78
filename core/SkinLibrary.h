#pragma once

#include "ActiveSkinName.h"
#include "FileError.h"

#include <QByteArray>
#include <QString>

#include <filesystem>
#include <vector>

// A skin of the library: its file's name as the file system holds it (bytes
// that may be no valid text survive) and the text that shows it.
struct SkinName
{
    std::filesystem::path file;
    QString shown;
};

// Paths of the skin library, built from the application folder afresh at every
// call and never normalised. A skin's name is its bare file name; an empty one
// leads to the Skins folder itself.
std::filesystem::path SkinsFolderPath();
std::filesystem::path SkinFilePath(const std::filesystem::path &name);
std::filesystem::path PreviewPathFor(const std::filesystem::path &name);
std::filesystem::path ActiveSkinPath();
std::filesystem::path ViewerExecutablePath();

// Whether this folder holds the viewer, Kelvora.exe, as a file.
bool HoldsViewer(const std::filesystem::path &folder);
// Whether this folder is the viewer's installation folder: it holds the viewer
// or the Skins folder.
bool IsViewerFolder(const std::filesystem::path &folder);

// Far above any preview's size, far below what would strain the memory.
inline constexpr std::size_t kLargestPreview = 64 * 1024 * 1024;

// The bytes of a preview image. A file that is missing, no regular file (it is
// never waited on) or larger than any preview needs to be is a failure.
Result<QByteArray> ReadPreviewFile(const std::filesystem::path &path);

// Whether a file of this name counts as a skin: its name ends in ".scn" in
// any letter case.
bool IsSkinFileName(const std::filesystem::path &name);

// The preview image beside a skin file anywhere, named as in the Skins folder.
std::filesystem::path PreviewBeside(const std::filesystem::path &skinFile);

// The active skin file when SkinFileName is usable; an empty path, which holds
// no skin's bytes, when it is not.
std::filesystem::path UsableActiveSkinPath();

// The text with each character case-folded on its own, as case-insensitive
// comparison of texts does: the list sorts and the gallery finds by it.
QString CaseFolded(const QString &text);

// The skin files ("*.scn", any letter case) of this Skins folder, in the order
// the skin list shows them. A folder that cannot be read gives an error naming it.
// The folder is an argument, so that a read off the window's thread never
// meets a change of the application folder half-way.
Result<std::vector<SkinName>> ListSkins(const std::filesystem::path &skinsFolder);
