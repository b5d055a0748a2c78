#pragma once

// The single-byte code page the description field of a skin is stored in.

#include <array>

namespace platform {

// The code page that Russian Windows uses for text of one byte per character.
inline constexpr unsigned kWindows1251 = 1251;

// The UTF-16 unit of each byte value.
using CodePageTable = std::array<char16_t, 256>;

// The system's ANSI code page (GetACP on Windows). Unix has none and gives
// Windows-1251, the code page of the program's Russian texts.
unsigned ansiCodePage();

// The table of a single-byte code page that the system knows; Windows-1251 in
// place of any other, such as UTF-8 (65001) or the multi-byte East Asian code
// pages, where one byte is not one character. Each byte has a unit of its own
// (one the code page leaves undefined stands for itself, 0x98 as U+0098), so
// text decoded with the table encodes back to the same bytes.
CodePageTable codePageTable(unsigned codePage);

} // namespace platform
