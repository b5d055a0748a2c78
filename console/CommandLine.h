#pragma once

#include <QString>
#include <QStringList>

#include <filesystem>
#include <vector>

// What the program was started to do, read from its arguments.
struct CommandLine
{
    enum class Request
    {
        Window, // no action: the main window opens
        WrongUse,
        Help,
        Version,
        List,
        Apply,
        History,
        Undo,
        Delete,
        ReadDescription,
        WriteDescription,
        Import,
        Export,
    };

    Request request = Request::Window;
    std::filesystem::path folder; // the viewer's folder; empty: the program's own
    std::filesystem::path name;   // the skin: its file name, or its name as --list prints it
    QString text;                 // the description to write
    int entry = 1;                // the history's entry to go back to, 1 the newest
    QString output;               // what a wrong use, help or the version prints
    // For the window: files to add as skins, as a file manager passes them;
    // the archives to install from; the zip to export into. As their bytes.
    std::vector<std::filesystem::path> files;
};

// Reads the arguments, the program's path first, as ProgramArguments gives
// them. A wrong or conflicting use is a request of its own, with its reason.
CommandLine ParseCommandLine(const QStringList &arguments);

// The arguments the program was started with, each as FromNativeArgument
// keeps it, so that a name of a file reaches that file and no other. Once the
// application object exists.
QStringList ProgramArguments(int argc, char **argv);

// Whether the arguments name an option that the window does not take (an
// action, help, the version): work for the console, which must not need a
// display. Decided before any application object exists, so from the
// arguments as main receives them.
bool AsksForConsole(int argc, char **argv);
