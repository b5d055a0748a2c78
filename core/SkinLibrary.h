#pragma once

#include "FileError.h"

#include <QString>
#include <QStringList>

// Paths of the skin library. Each is built by plain concatenation from the
// application folder, afresh at every call, and never normalised.
QString SkinsFolderPath();
QString SkinFilePath(const QString &name);
QString PreviewPathFor(const QString &name);
QString ActiveSkinPath();
QString ViewerExecutablePath();

// What makes this value of SkinFileName unusable, as a phrase for a message;
// empty when it names a file directly in the application folder that is
// neither the Skins folder nor the viewer.
QString ActiveSkinNameProblem(const QString &name);

// Bare names of the skin files ("*.scn", any letter case) in the Skins folder,
// in the order the skin list shows them. A folder that cannot be read gives an
// error naming it.
Result<QStringList> ListSkins();
