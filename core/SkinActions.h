#pragma once

#include <QString>

// Applies the skin with this bare name (empty: nothing selected): closes the
// viewer first and launches it afterwards when the settings say so.
void ApplySkin(const QString &name);

// Deletes the skin file and its preview without asking (nothing when no name
// is given), then has the skin list re-read.
void DeleteSkin(const QString &name);
