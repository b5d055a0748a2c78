#include "ProcessBench.h"

#include "GalleryFolder.h"
#include "Processes.h"
#include "RatioReporter.h"
#include "ThumbnailLoader.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

constexpr int kTimedPairs = 15;
constexpr int kMemoryPairs = 3;
constexpr double kMiB = 1024.0 * 1024.0;

double median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(values.size() / 2),
                     values.end());
    return values[values.size() / 2];
}

// Runs ours and the baseline in turns, pairs times, and adds their row.
void addInTurns(RatioReporter &reporter, const std::string &name, const std::string &unit,
                int pairs, const std::function<double()> &ours,
                const std::function<double()> &baseline)
{
    std::vector<double> oursMeasured, baselineMeasured, ratios;
    for (int pair = 0; pair < pairs; ++pair) {
        oursMeasured.push_back(ours());
        baselineMeasured.push_back(baseline());
        ratios.push_back(oursMeasured.back() / baselineMeasured.back());
    }
    reporter.AddRow(name, median(oursMeasured), median(baselineMeasured), unit, median(ratios));
}

} // namespace

void ReportProcesses(RatioReporter &reporter)
{
    QTemporaryDir config; // the program's default settings
    QTemporaryDir cache;  // the gallery's thumbnails, never the user's
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    const QString minimal = QStringLiteral(KSM_MINIMAL_WINDOW);
    const auto startUp = [&config](const QString &program, const QStringList &arguments) {
        return [&config, program, arguments] {
            return StartUpSeconds(program, arguments, config.path(), 30) * 1000;
        };
    };
    const auto textWindow = startUp(minimal, {QStringLiteral("--quit")});

    for (int skins : {0, 10000}) {
        const QString probe = AppFolderWithProgram(QStringLiteral(KSM_MAIN_WINDOW_PROBE), skins);
        addInTurns(reporter, "Start-up of a process, " + std::to_string(skins) + " skins", "ms",
                   kTimedPairs, startUp(probe, {}), textWindow);
    }
    // The list is read after the window is shown: how long each takes.
    const QString large = AppFolderWithProgram(QStringLiteral(KSM_MAIN_WINDOW_PROBE), 100000);
    addInTurns(reporter, "Start-up of a process, 100000 skins, window shown", "ms", kTimedPairs,
               startUp(large, {}), textWindow);
    addInTurns(reporter, "Start-up of a process, 100000 skins, list filled", "ms", kTimedPairs,
               startUp(large, {QStringLiteral("--until-listed")}), textWindow);

    const QString program = AppFolderWithProgram(QStringLiteral(KSM_PROGRAM), 10000);
    addInTurns(
        reporter, "Peak memory, 10000 skins", "MiB", kMemoryPairs,
        [&] { return PeakResidentMiB(program, {}, config.path(), 3); },
        [&] { return PeakResidentMiB(minimal, {}, config.path(), 3); });

    const QString gallery = CopyProgramInto(QStringLiteral(KSM_GALLERY_PROBE), GalleryFolder());
    addInTurns(
        reporter, "Peak memory, gallery scrolled through 100000 cells", "MiB", kMemoryPairs,
        [&] {
            QDir(cache.path()).removeRecursively();
            return PeakResidentMiB(gallery, {QStringLiteral("--scroll-all")}, config.path(), 600);
        },
        [&] {
            QDir(cache.path()).removeRecursively();
            return PeakResidentMiB(gallery, {}, config.path(), 120) +
                   double(ThumbnailLoader::kMemoryBound) / kMiB;
        });
    qunsetenv("XDG_CACHE_HOME");
}
