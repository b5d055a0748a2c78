#include "SkinLibrary.h"

#include "AppFolder.h"
#include "Module1.h"
#include "platform/Platform.h"

#include <QLatin1StringView>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {
const QLatin1StringView kSkinsFolder("Skins");
const QLatin1StringView kSkinExtension(".scn");
const QLatin1StringView kPreviewExtension(".jpg");
const QLatin1StringView kViewerExecutable("Kelvora.exe");
} // namespace

QString SkinsFolderPath()
{
    return ApplicationFolder() + platform::pathSeparator() + kSkinsFolder;
}

QString SkinFilePath(const QString &name)
{
    return SkinsFolderPath() + platform::pathSeparator() + name;
}

QString PreviewPathFor(const QString &name)
{
    // Always drops the last four characters, whatever they are.
    return SkinsFolderPath() + platform::pathSeparator() + name.left(name.size() - 4) +
           kPreviewExtension;
}

QString ActiveSkinPath()
{
    return ApplicationFolder() + platform::pathSeparator() + Module1::SkinFileName;
}

QString ViewerExecutablePath()
{
    return ApplicationFolder() + platform::pathSeparator() + kViewerExecutable;
}

Result<QStringList> ListSkins()
{
    namespace fs = std::filesystem;
    const QString folder = SkinsFolderPath();
    std::error_code error;
    fs::directory_iterator entries(fs::path(folder.toStdU16String()), error);
    if (error)
        return Result<QStringList>::failure(folder, QString::fromStdString(error.message()));

    QStringList names;
    for (; entries != fs::directory_iterator(); entries.increment(error)) {
        if (error)
            return Result<QStringList>::failure(folder, QString::fromStdString(error.message()));
        std::error_code typeError;
        if (!entries->is_regular_file(typeError))
            continue;
        QString name = QString::fromStdU16String(entries->path().filename().u16string());
        if (name.endsWith(kSkinExtension, Qt::CaseInsensitive) &&
            !platform::isHiddenOrSystem(folder, name))
            names.append(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int byCase = QString::compare(a, b, Qt::CaseInsensitive);
        return byCase != 0 ? byCase < 0 : a < b;
    });
    return Result<QStringList>::success(std::move(names));
}
