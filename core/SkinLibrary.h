#pragma once

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
// The active skin file as it was before the last apply or undo replaced it.
std::filesystem::path PreviousSkinPath();
std::filesystem::path ViewerExecutablePath();

// The bytes of a preview image. A file that is missing, no regular file (it is
// never waited on) or larger than any preview needs to be is a failure.
Result<QByteArray> ReadPreviewFile(const std::filesystem::path &path);

// Whether a file of this name counts as a skin: its name ends in ".scn" in
// any letter case.
bool IsSkinFileName(const std::filesystem::path &name);

// The preview image beside a skin file anywhere, named as in the Skins folder.
std::filesystem::path PreviewBeside(const std::filesystem::path &skinFile);

// What makes this text no bare file name (none, ".", "..", a separator, a
// drive or a control character), as a phrase for a message; empty when it is one.
QString FileNameProblem(const QString &name);

// What makes this value of SkinFileName unusable, as a phrase for a message;
// empty when it names a file directly in the application folder that is
// neither the Skins folder nor the viewer.
QString ActiveSkinNameProblem(const QString &name);

// The active skin file when SkinFileName is usable; an empty path, which holds
// no skin's bytes, when it is not.
std::filesystem::path UsableActiveSkinPath();

// The text with each character case-folded on its own, as case-insensitive
// comparison of texts does: the list sorts and the gallery finds by it.
QString CaseFolded(const QString &text);

// The skin files ("*.scn", any letter case) of the Skins folder, in the order
// the skin list shows them. A folder that cannot be read gives an error naming it.
Result<std::vector<SkinName>> ListSkins();
