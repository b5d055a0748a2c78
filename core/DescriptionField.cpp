#include "DescriptionField.h"

#include "AnsiText.h"
#include "platform/PositionedFile.h"

namespace {
QString fittedToField(const QString &text)
{
    return text.left(kDescriptionLength).leftJustified(kDescriptionLength, u' ');
}
} // namespace

Result<QString> ReadDescription(const QString &path)
{
    Result<QByteArray> field = platform::readAt(path, kDescriptionOffset, kDescriptionLength);
    if (!field.ok())
        return {QString(), field.error};
    field.value.resize(kDescriptionLength, '\0'); // past the end of the file: NUL characters
    return Result<QString>::success(FromAnsi(field.value));
}

Status WriteDescription(const QString &path, const QString &text)
{
    return platform::writeAt(path, kDescriptionOffset, ToAnsi(fittedToField(text)));
}
