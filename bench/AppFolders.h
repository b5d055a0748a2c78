#pragma once

#include <QString>

#include <functional>
#include <string>

// A temporary application folder with an empty Skins folder, made and filled
// once per name for the whole run, so that set-up stays out of the timings.
QString AppFolderMadeOnce(const std::string &name,
                          const std::function<void(const QString &skinsFolder)> &fill);

// A file of `size` bytes of skin data.
void WriteSkinFile(const QString &path, qint64 size);

// Points the program's paths into this folder; one the system cannot name ends
// the run, which would otherwise time work on another folder.
void UseAppFolder(const QString &folder);
