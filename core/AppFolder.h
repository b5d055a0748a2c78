#pragma once

#include "FileError.h"

#include <filesystem>

// The application folder, looked up afresh at every call so that paths are
// never built from a stale copy; empty only where the system cannot tell the
// executable's folder.
std::filesystem::path ApplicationFolder();

// Works on this folder instead of the executable's (the viewer's installation
// folder when the program lives elsewhere, or a test's folder); an empty path
// restores the executable's folder. Fails, saying why, when that leaves no
// folder the system can name: the program refuses to work without one.
Status UseApplicationFolder(const std::filesystem::path &folder);

// The folder of the running executable, whatever folder the program works on;
// empty where the system cannot tell.
std::filesystem::path ProgramFolder();
