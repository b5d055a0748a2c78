#pragma once

#include "Failure.h"

#include <filesystem>
#include <string>
#include <vector>

namespace platform {

// Starts the program with the arguments (UTF-8) and returns at once, without
// waiting for it and leaving nothing to wait for: it runs on when this program
// ends. Where windows have a show command it opens minimised, with the focus.
// A program that cannot be started (missing, not a program) is a failure
// naming it, reported before this returns.
Status startProgram(const std::filesystem::path &program,
                    const std::vector<std::string> &arguments = {});

} // namespace platform
