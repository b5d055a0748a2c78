#pragma once

#include "Failure.h"

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Starts the program with the arguments (UTF-8) and returns at once, without
// waiting for it and leaving nothing to wait for: it runs on when this program
// ends. Where windows have a show command it opens minimised, with the focus.
// A program that cannot be started (missing, not a program) is a failure
// naming it, reported before this returns. Elsewhere than on Windows, a
// Windows program is started through Wine (wineProgram), which passes the show
// command on, in the environment of this program as it is (WINEPREFIX and
// the rest).
Status startProgram(const std::filesystem::path &program,
                    const std::vector<std::string> &arguments = {});

#ifndef _WIN32
// Wine's program: "wine", else "wine64", in a folder of the search path (as
// PATH lists them), else the first of the usual places that is an executable
// file; empty when there is none.
std::filesystem::path wineProgram(std::string_view searchPath,
                                  std::span<const std::filesystem::path> usualPlaces);
#endif

} // namespace platform
