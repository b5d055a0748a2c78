#include "AppFolder.h"
#include "AppInfo.h"
#include "Application.h"
#include "CommandLine.h"
#include "CommandLineActions.h"
#include "frmMain.h"
#include "Messages.h"
#include "ViewerFolderChoice.h"

#include <QApplication>

int main(int argc, char **argv)
{
    // The program's data folder (the skin history) is named after the program,
    // whatever its file is called: the Debian package calls it in lower case.
    QCoreApplication::setApplicationName(kApplicationTitle);
    // Work for the console needs no display, so it is told apart before an
    // application object for windows is made.
    if (AsksForConsole(argc, argv))
        return RunConsole(argc, argv);

    QApplication app(argc, argv);
    PrepareApplication(app);
    const CommandLine commandLine = ParseCommandLine(ProgramArguments(argc, argv));
    if (commandLine.request != CommandLine::Request::Window)
        return RunCommandLine(commandLine); // a wrong use
    const std::optional<std::filesystem::path> folder = ViewerFolderForWindow(commandLine.folder);
    if (!folder)
        return 0; // the user closed the question of the viewer's folder
    // Every path is built from the program's folder: without it the program
    // would work on some other folder.
    if (const Status failed = UseApplicationFolder(*folder)) {
        ShowFileError(nullptr, *failed);
        return 1;
    }
    frmMain window;
    window.show();
    window.addSkinFiles(commandLine.files);
    return app.exec();
}
