#include "DescriptionField.h"

#include "AnsiText.h"
#include "platform/PositionedFile.h"
#include "PlatformEdge.h"

namespace {
QString fittedToField(const QString &text)
{
    return text.left(kDescriptionLength).leftJustified(kDescriptionLength, u' ');
}
} // namespace

Result<QString> ReadDescription(const std::filesystem::path &path)
{
    platform::Result<std::string> field =
        platform::readAt(path, kDescriptionOffset, kDescriptionLength);
    if (!field.ok())
        return {QString(), ToFileError(*field.failure)};
    field.value.resize(kDescriptionLength, '\0'); // past the end of the file: NUL characters
    return Result<QString>::success(FromAnsi(field.value));
}

Status WriteDescription(const std::filesystem::path &path, const QString &text)
{
    const QByteArray bytes = ToAnsi(fittedToField(text));
    return ToStatus(platform::writeAt(path, kDescriptionOffset,
                                      std::string_view(bytes.constData(), bytes.size())));
}
