#pragma once

#include "FileError.h"

#include <filesystem>

// The folder of the running executable, as the system names it, or why the
// system cannot tell. The program refuses to start without it.
Result<std::filesystem::path> FindApplicationFolder();

// The application folder, looked up afresh at every call so that paths are
// never built from a stale copy; empty only where FindApplicationFolder fails.
std::filesystem::path ApplicationFolder();

// Works on this folder instead of the executable's (the viewer's installation
// folder when the program lives elsewhere, or a test's folder); an empty path
// restores the executable's folder.
void UseApplicationFolder(const std::filesystem::path &folder);
