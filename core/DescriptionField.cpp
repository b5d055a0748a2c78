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
        return {{}, ToFileError(*field.failure)};
    field.value.resize(kDescriptionLength, '\0'); // past the end of the file: NUL characters
    return {FromAnsi(field.value), std::nullopt};
}

QString ShownDescription(const QString &field)
{
    const qsizetype nul = field.indexOf(QChar(0));
    return nul < 0 ? field : field.left(nul);
}

QString DescriptionTextProblem(const QString &text)
{
    // Only what the field takes counts, a character cut in two included.
    QStringView stored = QStringView(text).left(kDescriptionLength);
    if (!stored.isEmpty() && stored.back().isHighSurrogate())
        stored = QStringView(text).left(kDescriptionLength + 1);
    const QStringList outside = CharactersOutsideCodePage(stored);
    if (outside.isEmpty())
        return {};
    return QStringLiteral("Описание не сохранено: знаков «%1» нет в кодировке, в которой "
                          "хранятся описания скинов.")
        .arg(outside.join(QStringLiteral("», «")));
}

Status WriteDescription(const std::filesystem::path &path, const QString &text)
{
    const QByteArray bytes = ToAnsi(fittedToField(text));
    return ToStatus(platform::writeAt(path, kDescriptionOffset,
                                      std::string_view(bytes.constData(), bytes.size())));
}
