#include "StandInViewer.h"

#include <QTest>

namespace {
// Bounds that only keep a failing test from hanging.
constexpr int kStartLimitMilliseconds = 20000;
} // namespace

StandInViewer::StandInViewer(const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    // A tool of the tests, not under test: its leaks are not reported.
    environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    process_.setProcessEnvironment(environment);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral(KSM_DEMO_VIEWER), arguments);

    while (!process_.canReadLine() && process_.waitForReadyRead(kStartLimitMilliseconds)) {
    }
    const QByteArray line = process_.readLine().trimmed();
    if (line.startsWith("window "))
        window_ = line.mid(7).toULongLong();
}

StandInViewer::~StandInViewer()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished();
    }
}

bool StandInViewer::isFoundAs(const QString &title)
{
    const std::string wanted = title.toStdString();
    return QTest::qWaitFor(
        [&] {
            const platform::WindowServices windows;
            const platform::WindowHandle found = windows.findTopLevelWindow(wanted);
            return found != 0 && windows.processIdOf(found) == process_.processId();
        },
        kStartLimitMilliseconds);
}

bool StandInViewer::hasEnded()
{
    return process_.state() == QProcess::NotRunning || process_.waitForFinished(0);
}
