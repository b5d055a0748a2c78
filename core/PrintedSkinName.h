#pragma once

#include "FileError.h"
#include "SkinLibrary.h"

#include <QString>

#include <filesystem>
#include <vector>

// Skins as the command line names them: each by one line of text that names
// exactly one file and is taken back as it was printed. A file name is
// printed as its text, with these escapes:
// - "\\" for a backslash;
// - "\xHH" (two hexadecimal digits) for a control character below 0x80, and on
//   Unix for each byte of a control character above and of bytes that are no
//   UTF-8 text;
// - "\uHHHH" on Windows for each UTF-16 unit of a control character from 0x80
//   and of a character that the ANSI code page, which the console shows, cannot
//   hold (surrogates among them).
// Line and paragraph separators (U+2028, U+2029) count as control characters.
QString PrintedSkinName(const std::filesystem::path &file);

// The skins of ListSkins() that lie in the Skins folder indeed: a link that
// leads out of it is no skin of the library.
Result<std::vector<SkinName>> SkinsOfTheFolder();

// The file name of the skin of SkinsOfTheFolder() that the given name names:
// its file name exactly, byte for byte, or its name as printed. A failure
// naming that skin's path when there is none, or when the name is one skin's
// file name and another one's printed name.
Result<std::filesystem::path> SkinFileNamed(const std::filesystem::path &given);
