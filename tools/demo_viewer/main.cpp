// A stand-in for the Kelvora viewer: one top-level window that shows the active
// skin file of its own folder and closes on request, refuses, or takes its time.
// Once the window system has the window, its id is printed as "window <id>".
// Its arguments are those of tools/win32_viewer, the stand-in on Windows, and
// --skin-file.

#include "ViewerWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QScreen>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Stand-in for the Kelvora viewer."));
    parser.addHelpOption();
    const QCommandLineOption title(QStringLiteral("title"), QStringLiteral("Window title."),
                                   QStringLiteral("text"), QStringLiteral("Kelvora"));
    const QCommandLineOption skinFile(QStringLiteral("skin-file"),
                                      QStringLiteral("Active skin file in this program's folder."),
                                      QStringLiteral("name"), QStringLiteral("Kelvora.rus"));
    const QCommandLineOption refuseClose(QStringLiteral("refuse-close"),
                                         QStringLiteral("Ignore requests to close."));
    const QCommandLineOption closeDelay(
        QStringLiteral("close-delay"),
        QStringLiteral("End this many milliseconds after a request to close."),
        QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption report(
        QStringLiteral("report"),
        QStringLiteral("Append \"window <id> process <pid> iconic|normal\" to this file once the "
                       "window is shown, and \"close requested\" at each request to close."),
        QStringLiteral("file"));
    parser.addOptions({title, skinFile, refuseClose, closeDelay, report});
    parser.process(app);

    bool delayIsNumber = false;
    const CloseBehaviour behaviour{
        parser.isSet(refuseClose),
        std::chrono::milliseconds(parser.value(closeDelay).toUInt(&delayIsNumber))};
    if (!delayIsNumber) {
        qCritical("--close-delay needs a number of milliseconds");
        return 2;
    }

    ViewerWindow window(
        QDir(QCoreApplication::applicationDirPath()).filePath(parser.value(skinFile)), behaviour,
        parser.value(report));
    window.setWindowTitle(parser.value(title));
    // Low on the screen, so that a skin manager in the middle leaves it in view.
    const QRect screen = window.screen()->availableGeometry();
    window.move(screen.center().x() - window.width() / 2,
                screen.bottom() - window.height() - screen.height() / 10);
    window.show();
    QGuiApplication::sync();
    std::printf("window %llu\n", static_cast<unsigned long long>(window.winId()));
    std::fflush(stdout);
    window.report(
        QStringLiteral("window %1 process %2 %3")
            .arg(window.winId())
            .arg(QCoreApplication::applicationPid())
            .arg(window.isMinimized() ? QStringLiteral("iconic") : QStringLiteral("normal")));
    return app.exec();
}
