#include "PlatformEdge.h"

#include <QDir>

#include <algorithm>

namespace {
// Windows names files in UTF-16, Unix in bytes, which Qt reads as UTF-8 (as
// QFile::decodeName does in Qt 6, without asking the locale each time); the
// build uses the pair that fits its std::filesystem::path.
[[maybe_unused]] void toName(const QString &path, std::wstring &name)
{
    name = path.toStdWString();
}

[[maybe_unused]] void toName(const QString &path, std::string &name)
{
    name = path.toStdString();
}

[[maybe_unused]] QString fromName(const std::wstring &name)
{
    return QString::fromStdWString(name);
}

[[maybe_unused]] QString fromName(const std::string &name)
{
    return QString::fromUtf8(QByteArrayView(name));
}

// The first escaped byte, and the last: bytes below 0x80 are always text.
constexpr char16_t kFirstEscape = 0xDC80;
constexpr char16_t kLastEscape = 0xDCFF;

[[maybe_unused]] QString fromArgument(const std::wstring &argument)
{
    return QString::fromStdWString(argument);
}

[[maybe_unused]] QString fromArgument(const std::string &argument)
{
    QString text;
    for (std::size_t at = 0; at < argument.size();) {
        char32_t c = 0;
        const std::size_t length = Utf8Sequence(std::string_view(argument).substr(at), c);
        if (length == 0)
            text += QChar(char16_t(0xDC00 + static_cast<unsigned char>(argument[at])));
        else
            text += QString::fromUcs4(&c, 1);
        at += std::max<std::size_t>(length, 1);
    }
    return text;
}

[[maybe_unused]] void toArgument(const QString &text, std::wstring &argument)
{
    argument = text.toStdWString();
}

[[maybe_unused]] void toArgument(const QString &text, std::string &argument)
{
    argument.clear();
    qsizetype textStart = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        const char16_t unit = text[at].unicode();
        if (QChar::isHighSurrogate(unit) && at + 1 < text.size() && text[at + 1].isLowSurrogate()) {
            ++at; // a character beyond the first plane, as text
        } else if (unit >= kFirstEscape && unit <= kLastEscape) {
            argument += text.sliced(textStart, at - textStart).toStdString();
            argument += char(unit - 0xDC00);
            textStart = at + 1;
        }
    }
    argument += text.sliced(textStart).toStdString();
}
} // namespace

std::filesystem::path ToNativePath(const QString &path)
{
    std::filesystem::path::string_type name;
    toName(path, name);
    return name;
}

QString FromNativeName(const std::filesystem::path::string_type &name)
{
    return fromName(name);
}

QString FromNativePath(const std::filesystem::path &path)
{
    return fromName(path.native());
}

QString ShownPath(const std::filesystem::path &path)
{
    return QDir::toNativeSeparators(FromNativePath(path));
}

QString FromNativeArgument(const std::filesystem::path::string_type &argument)
{
    return fromArgument(argument);
}

std::filesystem::path::string_type ToNativeArgument(const QString &argument)
{
    std::filesystem::path::string_type native;
    toArgument(argument, native);
    return native;
}

bool MayNameAnotherFile(const QString &path)
{
    std::filesystem::path folder;
    for (const std::filesystem::path &part : ToNativePath(path)) {
        const QString text = fromName(part.native());
        std::error_code error;
        if (text.contains(QChar::ReplacementCharacter) && !folder.empty()) {
            for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
                 it.increment(error)) {
                const std::filesystem::path name = it->path().filename();
                if (name != part && fromName(name.native()) == text)
                    return true;
            }
        }
        folder /= part;
    }
    return false;
}

std::size_t Utf8Sequence(std::string_view bytes, char32_t &c)
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

namespace {

// The layer's own problems and the common system reasons in the program's
// language; any other reason in the system's own words.
QString reasonText(const platform::Failure &failure)
{
    using platform::CommonReason;
    using platform::FileProblem;
    if (failure.code.category() == platform::fileProblemCategory()) {
        switch (static_cast<FileProblem>(failure.code.value())) {
        case FileProblem::leadsNowhere:
            return QStringLiteral("нет папки, в которой должен быть этот файл");
        case FileProblem::readOnly:
            return QStringLiteral("файл только для чтения");
        case FileProblem::notARegularFile:
            return QStringLiteral("это не обычный файл");
        case FileProblem::writeCutShort:
            return QStringLiteral("в файл записаны не все данные");
        }
    }
    switch (platform::commonReasonOf(failure.code)) {
    case CommonReason::noSuchFile:
        return QStringLiteral("нет такого файла или папки");
    case CommonReason::accessDenied:
        return QStringLiteral("доступ запрещён");
    case CommonReason::readOnlyFileSystem:
        return QStringLiteral("диск доступен только для чтения");
    case CommonReason::noSpace:
        return QStringLiteral("на диске нет места");
    case CommonReason::fileExists:
        return QStringLiteral("файл уже существует");
    case CommonReason::isAFolder:
        return QStringLiteral("это папка");
    case CommonReason::nameTooLong:
        return QStringLiteral("слишком длинное имя файла");
    case CommonReason::fileInUse:
        return QStringLiteral("файл занят другой программой");
    case CommonReason::other:
        break;
    }
    return QString::fromStdString(failure.reason());
}

} // namespace

FileError ToFileError(const platform::Failure &failure)
{
    return {FromNativePath(failure.path), reasonText(failure)};
}

Status ToStatus(const platform::Status &status)
{
    if (!status)
        return std::nullopt;
    return ToFileError(*status);
}
