#include "PeakMemory.h"

#include "RatioReporter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs the program for `seconds`, then stops it; its peak resident set in KiB.
long peakKiB(const QString &program, const QString &configFolder, unsigned seconds)
{
    const QByteArray path = QFile::encodeName(program);
    const pid_t child = fork();
    if (child == 0) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("XDG_CONFIG_HOME", QFile::encodeName(configFolder).constData(), 1);
        execl(path.constData(), path.constData(), static_cast<char *>(nullptr));
        _exit(127);
    }
    sleep(seconds);
    kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    return usage.ru_maxrss;
}

} // namespace

void ReportPeakMemory(RatioReporter &reporter)
{
    QTemporaryDir app;
    const QString skins = app.path() + QStringLiteral("/Skins");
    QDir().mkpath(skins);
    for (int i = 0; i < 10000; ++i) {
        QFile skin(skins + QStringLiteral("/Скин %1.scn").arg(i));
        skin.open(QIODevice::WriteOnly);
        skin.write(QByteArray(1024, 'v'));
    }
    // The program serves the folder it was started from.
    const QString program = app.path() + QStringLiteral("/KelvoraSkinManager");
    QFile::copy(QStringLiteral(KSM_PROGRAM), program);

    const double ours = static_cast<double>(peakKiB(program, app.path(), 3)) / 1024;
    const double minimal =
        static_cast<double>(peakKiB(QStringLiteral(KSM_MINIMAL_WINDOW), app.path(), 3)) / 1024;
    reporter.AddRow("Peak memory, 10000 skins", ours, minimal, "MiB");
}
