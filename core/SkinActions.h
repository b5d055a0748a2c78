#pragma once

#include <QString>

// Applies the skin with this bare name (empty: nothing selected): closes the
// viewer first and launches it afterwards when the settings say so.
void ApplySkin(const QString &name);

// Deletes the skin file and the file at Module1::PreviewPath without asking,
// then has the skin list re-read.
void DeleteSkin(const QString &name);
