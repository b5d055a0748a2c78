#include "ProcessBench.h"
#include "RatioReporter.h"

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <regex>
#include <string>

namespace {
// The rows measured on whole processes run unless a filter leaves them out.
bool processRowsWanted(int argc, char **argv)
{
    const std::string option = "--benchmark_filter=";
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind(option, 0) == 0) {
            const std::regex filter(argument.substr(option.size()));
            return std::regex_search("Start-up of a process", filter) ||
                   std::regex_search("Peak memory", filter);
        }
    }
    return true;
}
} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The program's default settings, whatever the user's store holds.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    // The skin history of the applies goes into a data folder of the run's own.
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));

    const bool processRows = processRowsWanted(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (processRows)
        ReportProcesses(reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
