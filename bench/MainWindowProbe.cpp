// The program's start-up, ending as soon as its main window is shown.

#include "frmMain.h"

#include <QApplication>
#include <QTimer>

#include <cstdlib>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    frmMain window;
    window.show();
    QTimer::singleShot(0, [] { std::_Exit(0); }); // start-up ends here, not teardown
    return app.exec();
}
