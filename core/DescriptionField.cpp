#include "DescriptionField.h"

#include "AnsiText.h"

#include <QFile>

namespace {

// Read and write access, creating a missing file; a file that only allows
// reading can still be read.
bool openForDescription(QFile &file, bool forWriting)
{
    if (file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return true;
    return !forWriting && file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

QString fittedToField(const QString &text)
{
    return text.left(kDescriptionLength).leftJustified(kDescriptionLength, u' ');
}

} // namespace

Result<QString> ReadDescription(const QString &path)
{
    QFile file(path);
    if (!openForDescription(file, false))
        return Result<QString>::failure(path, file.errorString());

    // Past the end of the file the read comes up short; the rest stays NUL.
    QByteArray field(kDescriptionLength, '\0');
    if (!file.seek(kDescriptionOffset) || file.read(field.data(), kDescriptionLength) < 0)
        return Result<QString>::failure(path, file.errorString());
    return Result<QString>::success(FromAnsi(field));
}

Status WriteDescription(const QString &path, const QString &text)
{
    const QByteArray field = ToAnsi(fittedToField(text));
    QFile file(path);
    if (!openForDescription(file, true))
        return FileError{path, file.errorString()};
    // A seek past the end makes the gap up to the field zero bytes.
    const qint64 oldSize = file.size();
    if (!file.seek(kDescriptionOffset) || file.write(field) != kDescriptionLength) {
        const FileError error{path, file.errorString()};
        if (file.size() != oldSize)
            file.resize(oldSize); // a partial write must not leave the file grown
        return error;
    }
    file.close();
    if (file.error() != QFileDevice::NoError)
        return FileError{path, file.errorString()};
    return std::nullopt;
}
