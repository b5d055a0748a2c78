#include "PlatformEdge.h"

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
