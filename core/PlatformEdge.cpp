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

FileError ToFileError(const platform::Failure &failure)
{
    return {FromNativePath(failure.path), QString::fromStdString(failure.reason())};
}

Status ToStatus(const platform::Status &status)
{
    if (!status)
        return std::nullopt;
    return ToFileError(*status);
}
