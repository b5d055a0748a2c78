#include "AnsiText.h"

#include "platform/Platform.h"

#include <array>
#include <memory>

namespace {

struct CodePage
{
    std::array<char16_t, 256> toUnicode{};
    // One entry per UTF-16 unit: a lookup costs no more than an array index.
    std::array<char, 65536> fromUnicode{};
};

// Each byte is decoded on its own, so a byte that is not a whole character
// stays one (replacement) character and lengths never change.
CodePage buildCodePage()
{
    CodePage page;
    page.fromUnicode.fill('?');
    for (int byte = 255; byte >= 0; --byte) {
        QStringDecoder decoder = platform::ansiDecoder();
        const char c = static_cast<char>(byte);
        const QString decoded = decoder.decode(QByteArrayView(&c, 1));
        const char16_t unit =
            decoded.size() == 1 && !decoder.hasError() ? decoded.at(0).unicode() : char16_t(0xFFFD);
        page.toUnicode[byte] = unit;
        if (unit != 0xFFFD)
            page.fromUnicode[unit] = c; // descending, so the lowest byte wins
    }
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

QString FromAnsi(QByteArrayView bytes)
{
    const CodePage &page = codePage();
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        text[i] = QChar(page.toUnicode[static_cast<unsigned char>(bytes[i])]);
    return text;
}
