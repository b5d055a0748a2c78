#include "ProcessBench.h"
#include "RatioReporter.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The program's default settings, whatever the user's store holds.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    ReportProcesses(reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
