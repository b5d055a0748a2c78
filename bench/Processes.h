#pragma once

#include <QString>
#include <QStringList>

// Both run the program with a headless display and settings of its own, ending
// it after `limitSeconds` when it has not ended by itself.

// The seconds from start until the program ends its start-up (StartUpEnd.h).
double StartUpSeconds(const QString &program, const QStringList &arguments,
                      const QString &configFolder, unsigned limitSeconds);

// The program's peak resident memory in MiB.
double PeakResidentMiB(const QString &program, const QStringList &arguments,
                       const QString &configFolder, unsigned limitSeconds);

// An application folder holding a copy of the program and `skins` skins.
QString AppFolderWithProgram(const QString &program, int skins);

// A copy of the program in the folder, which it then serves.
QString CopyProgramInto(const QString &program, const QString &folder);
