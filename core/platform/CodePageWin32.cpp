#include "CodePage.h"

#include <windows.h>

namespace platform {

unsigned ansiCodePage()
{
    return GetACP();
}

CodePageTable codePageTable(unsigned codePage)
{
    CPINFO info;
    if (!GetCPInfo(codePage, &info) || info.MaxCharSize != 1)
        codePage = kWindows1251;
    CodePageTable table{};
    for (unsigned byte = 0; byte < 0x100; ++byte) {
        const char c = char(byte);
        wchar_t unit = 0;
        // Each byte on its own: one the code page leaves undefined stands for itself.
        if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, &c, 1, &unit, 1) != 1)
            unit = wchar_t(byte);
        table[byte] = char16_t(unit);
    }
    return table;
}

} // namespace platform
