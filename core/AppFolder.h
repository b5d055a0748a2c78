#pragma once

#include <QString>

// The folder of the running executable, without a trailing separator. It is
// looked up afresh at every call, so paths are never built from a stale copy.
QString ApplicationFolder();

// Tests point the program at a folder of their own; an empty text restores
// the executable's folder.
void SetApplicationFolderForTesting(const QString &folder);
