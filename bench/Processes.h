#pragma once

#include <QString>
#include <QStringList>

// A finished run of another program.
struct ProcessRun
{
    double seconds = 0;
    double peakMiB = 0;
};

// Runs the program with a headless display and settings of its own, ending it
// after `limitSeconds` when it has not ended by itself.
ProcessRun RunProcess(const QString &program, const QStringList &arguments,
                      const QString &configFolder, unsigned limitSeconds);

// An application folder holding a copy of the program and `skins` skins.
QString AppFolderWithProgram(const QString &program, int skins);
