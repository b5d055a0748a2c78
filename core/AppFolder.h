#pragma once

#include "FileError.h"

#include <filesystem>

// The folder of the running executable, as the system names it, or why the
// system cannot tell. The program refuses to start without it.
Result<std::filesystem::path> FindApplicationFolder();

// The application folder, looked up afresh at every call so that paths are
// never built from a stale copy; empty only where FindApplicationFolder fails.
std::filesystem::path ApplicationFolder();

// Tests point the program at a folder of their own; an empty path restores
// the executable's folder.
void SetApplicationFolderForTesting(const std::filesystem::path &folder);
