#include "Application.h"
#include "frmMain.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    PrepareApplication(app);
    frmMain window;
    window.show();
    return app.exec();
}
