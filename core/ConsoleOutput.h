#pragma once

#include <QString>

#include <cstdio>

// Writes the text and a line break in the console's encoding. The first
// write that fails is remembered for EndConsoleOutput.
void PrintLine(std::FILE *stream, const QString &text);

// Writes out what standard output holds still. Whether every write to
// standard output and standard error was taken; when one was not, says why on
// standard error, as far as it takes it.
[[nodiscard]] bool EndConsoleOutput();
