// The program's start-up, ending as soon as its main window is shown or, with
// --until-listed, as soon as its skin list is filled.

#include "Application.h"
#include "frmMain.h"
#include "SkinList.h"
#include "StartUpEnd.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    PrepareApplication(app);
    const bool untilListed = QApplication::arguments().contains(QStringLiteral("--until-listed"));
    frmMain window;
    window.show();
    if (untilListed)
        QObject::connect(window.findChild<SkinList *>(), &SkinList::listed, &EndStartUp);
    else
        QTimer::singleShot(0, &EndStartUp);
    return app.exec();
}
