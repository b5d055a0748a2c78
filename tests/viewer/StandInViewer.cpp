#include "StandInViewer.h"

#include <QFile>
#include <QTest>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#endif

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
#ifdef _WIN32
    const QString report = reportFolder_.filePath(QStringLiteral("report"));
    process_.start(QStringLiteral(KSM_DEMO_VIEWER), QStringList(arguments)
                                                        << QStringLiteral("--report") << report);
    QByteArray line;
    if (!QTest::qWaitFor(
            [&] {
                QFile file(report);
                line = file.open(QIODevice::ReadOnly) ? file.readLine() : QByteArray();
                return line.endsWith('\n');
            },
            kStartLimitMilliseconds))
        return;
#else
    process_.start(QStringLiteral(KSM_DEMO_VIEWER), arguments);
    while (!process_.canReadLine() && process_.waitForReadyRead(kStartLimitMilliseconds)) {
    }
    const QByteArray line = process_.readLine();
#endif
    const QList<QByteArray> words = line.trimmed().split(' ');
    if (words.size() >= 2 && words[0] == "window")
        window_ = words[1].toULongLong();
}

void StandInViewer::end(platform::ProcessId process)
{
#ifdef _WIN32
    if (const HANDLE handle = OpenProcess(PROCESS_TERMINATE, FALSE, DWORD(process))) {
        TerminateProcess(handle, 1);
        CloseHandle(handle);
    }
#else
    ::kill(static_cast<pid_t>(process), SIGKILL);
#endif
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
