#pragma once

#include <QString>

#include <filesystem>

// The setting SkinFileName: the active skin file's path relative to the
// application folder. Both "/" and "\" separate folders, on every platform,
// since the value may come from a Windows installation.

// The path SkinFileName names, relative to the application folder, for a name
// that ActiveSkinNameProblem finds usable.
std::filesystem::path ActiveSkinRelativePath(const QString &name);

// What makes this value of SkinFileName unusable, as a phrase for a message;
// empty when it names a file inside the application folder (in a subfolder or
// not) that is none of the Skins folder and its files, the viewer and this
// program. Names are compared as Windows compares them: in any letter case,
// without trailing dots and spaces. Where the path exists, links are followed:
// one that leads out of the folder, or onto a protected file, is unusable too.
QString ActiveSkinNameProblem(const QString &name);
