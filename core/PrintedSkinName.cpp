#include "PrintedSkinName.h"

#include "AnsiText.h"
#include "PlatformEdge.h"

#include <algorithm>
#include <string>

namespace {

namespace fs = std::filesystem;

bool isControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

void appendEscape(QString &out, char letter, unsigned value, int digits)
{
    out += u'\\';
    out += QLatin1Char(letter);
    out += QString::number(value, 16).toUpper().rightJustified(digits, u'0');
}

void appendCharacter(QString &out, char32_t c)
{
    if (c == U'\\')
        out += QStringLiteral("\\\\");
    else
        out += QString::fromUcs4(&c, 1);
}

// The length of the well-formed UTF-8 sequence at the start of bytes, with its
// character; 0 when the bytes there are no text.
std::size_t utf8Sequence(std::string_view bytes, char32_t &c)
{
    const auto byte = [&bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned lead = byte(0);
    std::size_t length = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        c = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
        least = 0x10000;
    } else {
        return 0;
    }
    if (bytes.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (byte(i) & 0x3F);
    }
    const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
    return c < least || c > 0x10FFFF || surrogate ? 0 : length;
}

// Unix names files in bytes, Windows in UTF-16: the build uses the one that
// fits its std::filesystem::path.
[[maybe_unused]] QString printed(const std::string &name)
{
    QString out;
    for (std::size_t at = 0; at < name.size();) {
        char32_t c = 0;
        const std::size_t length = utf8Sequence(std::string_view(name).substr(at), c);
        if (length != 0 && !isControl(c)) {
            appendCharacter(out, c);
        } else {
            for (std::size_t i = 0; i < std::max<std::size_t>(length, 1); ++i)
                appendEscape(out, 'x', static_cast<unsigned char>(name[at + i]), 2);
        }
        at += std::max<std::size_t>(length, 1);
    }
    return out;
}

// The console of Windows shows text in the ANSI code page: a character that it
// cannot hold is escaped too, or the printed name could not be typed back.
[[maybe_unused]] QString printed(const std::wstring &name)
{
    QString out;
    for (const wchar_t unit : name) {
        const QChar c{char16_t(unit)};
        if (c.isSurrogate() || isControl(unit) ||
            (unit >= 0x80 && FromAnsi(ToAnsi(QStringView(&c, 1))) != c)) {
            if (unit < 0x80)
                appendEscape(out, 'x', unit, 2);
            else
                appendEscape(out, 'u', unit, 4);
        } else {
            appendCharacter(out, unit);
        }
    }
    return out;
}

// A link counts when the file it leads to is in the Skins folder itself.
bool liesInItsFolder(const fs::path &skin, const fs::path &skinsFolder)
{
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(skin, error)))
        return true;
    const fs::path target = fs::canonical(skin, error);
    return !error && target.parent_path() == skinsFolder;
}

} // namespace

QString PrintedSkinName(const fs::path &file)
{
    return printed(file.native());
}

Result<std::vector<SkinName>> SkinsOfTheFolder()
{
    Result<std::vector<SkinName>> listed = ListSkins(SkinsFolderPath());
    if (!listed.ok())
        return listed;
    std::error_code error;
    const fs::path folder = fs::canonical(SkinsFolderPath(), error);
    std::erase_if(listed.value, [&folder](const SkinName &skin) {
        return !liesInItsFolder(SkinFilePath(skin.file), folder);
    });
    return listed;
}

Result<fs::path> SkinFilePrintedAs(const QString &printed)
{
    Result<std::vector<SkinName>> listed = SkinsOfTheFolder();
    if (!listed.ok())
        return {{}, listed.error};
    const auto found =
        std::find_if(listed.value.begin(), listed.value.end(), [&printed](const SkinName &skin) {
            return PrintedSkinName(skin.file) == printed;
        });
    if (found == listed.value.end())
        return {{},
                FileError{
                    FromNativePath(SkinFilePath(ToNativePath(printed))),
                    QStringLiteral("в папке Skins нет такого скина; имена скинов выводит --list")}};
    return {std::move(found->file), std::nullopt};
}
