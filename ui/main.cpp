#include "AppFolder.h"
#include "Application.h"
#include "frmMain.h"
#include "Messages.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    PrepareApplication(app);
    // Every path is built from the program's folder: without it the program
    // would work on some other folder.
    if (const Result<std::filesystem::path> folder = FindApplicationFolder(); !folder.ok()) {
        ShowFileError(nullptr, *folder.error);
        return 1;
    }
    frmMain window;
    window.show();
    return app.exec();
}
