// The code page of the description field.

#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using platform::codePageTable;
using platform::kWindows1251;

TEST(CodePage, AllBytesComeBackUnchangedUnderWindows1251)
{
    const platform::CodePageTable table = codePageTable(kWindows1251);
    std::map<char16_t, unsigned> byteOf;
    for (unsigned byte = 0; byte < 256; ++byte)
        byteOf.emplace(table[byte], byte);
    for (unsigned byte = 0; byte < 256; ++byte)
        EXPECT_EQ(byteOf[table[byte]], byte) << std::hex << byte;

    const std::pair<unsigned, char16_t> known[] = {
        {0x41, u'A'}, {0xC0, u'А'}, {0xFF, u'я'}, {0xA8, u'Ё'}, {0xB8, u'ё'},
        {0xB9, u'№'}, {0x88, u'€'}, {0x96, u'–'}, {0xA0, 0xA0}, {0x98, 0x98},
    };
    for (const auto &[byte, unit] : known)
        EXPECT_EQ(table[byte], unit) << std::hex << byte;
}

TEST(CodePage, CodePagesOfMoreThanOneByteACharacterGiveWayToWindows1251)
{
    // UTF-8, then Japanese, Simplified Chinese, Korean, Traditional Chinese.
    for (const unsigned codePage : {65001u, 932u, 936u, 949u, 950u})
        EXPECT_EQ(codePageTable(codePage), codePageTable(kWindows1251)) << codePage;
}

// The runs of these tests are Russian systems: Wine is started with a Russian
// locale, and Unix has no code page but Windows-1251.
TEST(CodePage, SystemOfTheTestsUsesWindows1251)
{
    EXPECT_EQ(platform::ansiCodePage(), kWindows1251);
}

#ifdef _WIN32
TEST(CodePage, OtherSingleByteCodePagesAreTheSystemsOwn)
{
    const platform::CodePageTable western = codePageTable(1252);
    EXPECT_EQ(western[0xC0], u'À');
    EXPECT_EQ(western[0x80], u'€');
}
#endif

} // namespace
