#include "AnsiText.h"

#include "platform/Platform.h"

#include <QHash>

#include <array>

namespace {

struct CodePage
{
    std::array<char16_t, 256> toUnicode{};
    QHash<char16_t, char> fromUnicode;
};

// Each byte is decoded on its own, so a byte that is not a whole character
// stays one (replacement) character and lengths never change.
CodePage buildCodePage()
{
    CodePage page;
    for (int byte = 255; byte >= 0; --byte) {
        QStringDecoder decoder = platform::ansiDecoder();
        const char c = static_cast<char>(byte);
        const QString decoded = decoder.decode(QByteArrayView(&c, 1));
        const char16_t unit =
            decoded.size() == 1 && !decoder.hasError() ? decoded.at(0).unicode() : char16_t(0xFFFD);
        page.toUnicode[byte] = unit;
        if (unit != 0xFFFD)
            page.fromUnicode.insert(unit, c); // descending, so the lowest byte wins
    }
    return page;
}

const CodePage &codePage()
{
    static const CodePage page = buildCodePage();
    return page;
}

} // namespace

QByteArray ToAnsi(QStringView text)
{
    const CodePage &page = codePage();
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        bytes[i] = unit < 0x80 ? static_cast<char>(unit) : page.fromUnicode.value(unit, '?');
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
