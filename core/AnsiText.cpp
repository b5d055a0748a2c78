#include "AnsiText.h"

#include "platform/CodePage.h"

#include <array>
#include <memory>

namespace {

struct CodePage
{
    std::array<char16_t, 256> toUnicode{};
    // One entry per UTF-16 unit: a lookup costs no more than an array index.
    std::array<char, 65536> fromUnicode{};
};

// One unit per byte, so lengths never change; a character that no byte stands
// for is written as "?".
CodePage buildCodePage()
{
    CodePage page;
    page.toUnicode = platform::codePageTable(platform::ansiCodePage());
    page.fromUnicode.fill('?');
    for (int byte = 255; byte >= 0; --byte) // descending, so the lowest byte wins
        page.fromUnicode[page.toUnicode[byte]] = static_cast<char>(byte);
    return page;
}

const CodePage &codePage()
{
    static const std::unique_ptr<const CodePage> page =
        std::make_unique<const CodePage>(buildCodePage());
    return *page;
}

} // namespace

QByteArray ToAnsi(QStringView text)
{
    const CodePage &page = codePage();
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        bytes[i] = page.fromUnicode[unit];
    }
    return bytes;
}

QStringList CharactersOutsideCodePage(QStringView text)
{
    const CodePage &page = codePage();
    QStringList outside;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar unit = text[i];
        const bool pair =
            unit.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const QStringView character = text.mid(i, pair ? 2 : 1);
        i += pair ? 1 : 0;
        // "?" stands for every character without a byte, but is one itself.
        const bool hasByte = character.size() == 1 && !unit.isSurrogate() &&
                             (page.fromUnicode[unit.unicode()] != '?' || unit == u'?');
        if (!hasByte && !outside.contains(character))
            outside.append(character.toString());
    }
    return outside;
}

QString FromAnsi(QByteArrayView bytes)
{
    const CodePage &page = codePage();
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        text[i] = QChar(page.toUnicode[static_cast<unsigned char>(bytes[i])]);
    return text;
}
