#include "ProcessBench.h"

#include "Processes.h"
#include "RatioReporter.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <vector>

namespace {

constexpr int kRuns = 9;

// The median start-up time, in milliseconds, of a program that ends once shown.
double startUpMilliseconds(const QString &program, const QStringList &arguments,
                           const QString &configFolder)
{
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run)
        times.push_back(RunSeconds(program, arguments, configFolder, 30) * 1000);
    std::nth_element(times.begin(), times.begin() + kRuns / 2, times.end());
    return times[kRuns / 2];
}

} // namespace

void ReportProcesses(RatioReporter &reporter)
{
    QTemporaryDir config; // the program's default settings
    const QString minimal = QStringLiteral(KSM_MINIMAL_WINDOW);
    const double emptyWindow =
        startUpMilliseconds(minimal, {QStringLiteral("--quit")}, config.path());
    for (int skins : {0, 10000}) {
        const QString probe = AppFolderWithProgram(QStringLiteral(KSM_MAIN_WINDOW_PROBE), skins);
        reporter.AddRow("Start-up of a process, " + std::to_string(skins) + " skins",
                        startUpMilliseconds(probe, {}, config.path()), emptyWindow, "ms");
    }
    // The list is read after the window is shown: how long each takes.
    const QString large = AppFolderWithProgram(QStringLiteral(KSM_MAIN_WINDOW_PROBE), 100000);
    reporter.AddRow("Start-up of a process, 100000 skins, window shown",
                    startUpMilliseconds(large, {}, config.path()), emptyWindow, "ms");
    reporter.AddRow("Start-up of a process, 100000 skins, list filled",
                    startUpMilliseconds(large, {QStringLiteral("--until-listed")}, config.path()),
                    emptyWindow, "ms");

    const QString program = AppFolderWithProgram(QStringLiteral(KSM_PROGRAM), 10000);
    reporter.AddRow("Peak memory, 10000 skins", PeakResidentMiB(program, {}, config.path(), 3),
                    PeakResidentMiB(minimal, {}, config.path(), 3), "MiB");
}
