#include "platform/ProgramStart.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace platform {

namespace {
// A Windows program begins with the bytes "MZ".
bool isWindowsProgram(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(2) == "MZ";
}
} // namespace

// There is no show command here: the program opens as it chooses.
Status startProgram(const QString &path)
{
    QProcess process;
    const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
    if (!wine.isEmpty() && isWindowsProgram(path)) {
        process.setProgram(wine);
        process.setArguments({path});
    } else {
        process.setProgram(path);
    }
    if (!process.startDetached())
        return FileError{path, process.errorString()};
    return std::nullopt;
}

} // namespace platform
