#pragma once

#include <filesystem>
#include <optional>

class ConsoleInterface;

// The folder the console works on: a folder named on the command line, else
// the one that needs no question, else the one installation found when there
// is just one. The console cannot ask: otherwise nothing, with the reason
// reported.
std::optional<std::filesystem::path> ViewerFolderForConsole(const std::filesystem::path &named,
                                                            ConsoleInterface &console);
