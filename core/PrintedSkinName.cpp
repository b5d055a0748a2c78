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

// Unix names files in bytes, Windows in UTF-16: the build uses the one that
// fits its std::filesystem::path.
[[maybe_unused]] QString printed(const std::string &name)
{
    QString out;
    for (std::size_t at = 0; at < name.size();) {
        char32_t c = 0;
        const std::size_t length = Utf8Sequence(std::string_view(name).substr(at), c);
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

Result<fs::path> SkinFileNamed(const fs::path &given)
{
    Result<std::vector<SkinName>> listed = SkinsOfTheFolder();
    if (!listed.ok())
        return {{}, listed.error};
    const auto named = [&listed](auto matches) {
        return std::find_if(listed.value.begin(), listed.value.end(), matches);
    };
    const auto exact = named([&given](const SkinName &skin) { return skin.file == given; });
    // Only text can be a printed name: bytes that are none are never decoded
    // into one, which would name another skin.
    const QString text = FromNativeName(given.native());
    const auto printed =
        ToNativePath(text) != given
            ? listed.value.end()
            : named([&text](const SkinName &skin) { return PrintedSkinName(skin.file) == text; });
    // Said as printed too: a name that is no text must not read as another one.
    const QString path = FromNativePath(SkinsFolderPath() / "") + PrintedSkinName(given);
    if (exact != listed.value.end() && printed != listed.value.end() && exact != printed)
        return {
            {},
            FileError{path, QStringLiteral(
                                "это и точное имя одного скина, который --list выводит как «%1», "
                                "и имя, которым --list выводит другой; укажите "
                                "первый как «%1», второй — точным именем файла")
                                .arg(PrintedSkinName(exact->file))}};
    const auto found = exact != listed.value.end() ? exact : printed;
    if (found == listed.value.end())
        return {{},
                FileError{
                    path,
                    QStringLiteral("в папке Skins нет такого скина; имена скинов выводит --list")}};
    return {std::move(found->file), std::nullopt};
}
