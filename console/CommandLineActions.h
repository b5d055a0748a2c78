#pragma once

#include "CommandLine.h"

// Does what the command line asks for on the console, with the settings of the
// window, and returns the program's exit code: 0 when it was done, 1 when it
// failed or the use was wrong. For every request but the window's.
int RunCommandLine(const CommandLine &line);

// The program's run on the console, with no display: the application, its
// Russian texts, then the command line's work; the exit code.
int RunConsole(int argc, char **argv);
