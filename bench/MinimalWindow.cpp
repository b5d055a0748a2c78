// The least a Qt Widgets program does to show a window with one line of text:
// the baseline for start-up time and memory. Any window that shows text pays
// for the font configuration first, as the program's does. With --quit it ends
// as soon as the window is shown.

#include "StartUpEnd.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>

#include <cstring>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("Kelvora Skin Manager"), &window));
    window.show();
    if (argc > 1 && std::strcmp(argv[1], "--quit") == 0)
        QTimer::singleShot(0, &EndStartUp);
    return app.exec();
}
