// The program's start-up, ending as soon as its main window is shown or, with
// --until-listed, as soon as its skin list is filled.

#include "frmMain.h"
#include "SkinList.h"

#include <QApplication>
#include <QTimer>

#include <cstdlib>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const bool untilListed = QApplication::arguments().contains(QStringLiteral("--until-listed"));
    frmMain window;
    window.show();
    // Start-up ends here, not teardown.
    if (untilListed)
        QObject::connect(window.findChild<SkinList *>(), &SkinList::listed, [] { std::_Exit(0); });
    else
        QTimer::singleShot(0, [] { std::_Exit(0); });
    return app.exec();
}
