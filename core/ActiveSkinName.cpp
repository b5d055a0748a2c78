#include "ActiveSkinName.h"

#include "AppFolder.h"
#include "AppInfo.h"
#include "platform/FileIdentity.h"
#include "platform/Platform.h"
#include "PlatformEdge.h"
#include "SkinLibrary.h"

#include <QLatin1StringView>
#include <QStringList>

#include <algorithm>
#include <array>

namespace {

namespace fs = std::filesystem;

// Characters that no Windows file name holds; ":" would also name a drive or
// a stream of the file.
constexpr QLatin1StringView kForbidden("<>:\"|?*");

QStringList partsOf(const QString &name)
{
    QString uniform = name;
    uniform.replace(u'\\', u'/');
    return uniform.split(u'/');
}

// A part of a path as Windows takes it: trailing dots and spaces dropped.
QString asWindowsTakesIt(QString part)
{
    while (part.endsWith(u'.') || part.endsWith(u' '))
        part.chop(1);
    return part;
}

bool isNamed(const QString &part, const QString &name)
{
    return asWindowsTakesIt(part).compare(asWindowsTakesIt(name), Qt::CaseInsensitive) == 0;
}

// CON, NUL, COM1 and the like name devices in every folder, whatever their
// extension.
bool isDeviceName(const QString &part)
{
    static const std::array<QLatin1StringView, 6> kDevices = {
        QLatin1StringView("CON"), QLatin1StringView("PRN"), QLatin1StringView("AUX"),
        QLatin1StringView("NUL"), QLatin1StringView("COM"), QLatin1StringView("LPT")};
    const QString stem = asWindowsTakesIt(part.section(u'.', 0, 0));
    return std::any_of(kDevices.begin(), kDevices.end(), [&stem](QLatin1StringView device) {
        if (!stem.startsWith(device, Qt::CaseInsensitive))
            return false;
        const QStringView rest = QStringView(stem).mid(device.size());
        const bool numbered =
            device.endsWith(QLatin1StringView("OM")) || device.endsWith(QLatin1StringView("PT"));
        return numbered ? rest.size() == 1 && rest[0] >= u'1' && rest[0] <= u'9' : rest.isEmpty();
    });
}

// The names of this program's file: as it is built, and as it runs now.
QStringList programNames()
{
    QStringList names{kProgramFileName};
    if (const platform::Result<fs::path> running = platform::executablePath(); running.ok())
        names.append(FromNativePath(running.value.filename()));
    return names;
}

// What the text alone says against the name.
QString nameProblem(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("имя не указано");
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return QStringLiteral("имя не может содержать управляющие знаки");
        if (kForbidden.contains(c))
            return QStringLiteral("имя не может содержать знаки < > : \" | ? *");
    }
    const QStringList parts = partsOf(name);
    if (parts.constFirst().isEmpty())
        return QStringLiteral("путь должен быть относительным, от папки Kelvora");
    for (const QString &part : parts) {
        if (part == QLatin1StringView(".."))
            return QStringLiteral("путь выходит из папки Kelvora");
        if (asWindowsTakesIt(part).isEmpty())
            return QStringLiteral("«%1» — не имя папки или файла").arg(part);
        if (isDeviceName(part))
            return QStringLiteral("«%1» — имя устройства Windows").arg(part);
    }
    if (isNamed(parts.constFirst(), FromNativePath(SkinsFolderPath().filename())))
        return parts.size() == 1 ? QStringLiteral("это папка скинов")
                                 : QStringLiteral("это файл в папке скинов");
    if (parts.size() == 1 && isNamed(name, FromNativePath(ViewerExecutablePath().filename())))
        return QStringLiteral("это программа Kelvora");
    const QStringList ownNames = programNames();
    if (parts.size() == 1 &&
        std::any_of(ownNames.begin(), ownNames.end(),
                    [&name](const QString &own) { return isNamed(name, own); }))
        return QStringLiteral("это сама программа %1").arg(kApplicationTitle);
    return {};
}

// Whether inside is folder itself or lies within it; both paths canonical.
bool liesWithin(const fs::path &inside, const fs::path &folder)
{
    const auto [end, unused] =
        std::mismatch(folder.begin(), folder.end(), inside.begin(), inside.end());
    return end == folder.end();
}

// What the file system says against the path, followed through its links as
// far as they exist: the name may be fine and still lead elsewhere.
QString pathProblem(const fs::path &path)
{
    std::error_code error;
    const fs::path resolved = fs::weakly_canonical(path, error);
    if (error)
        return {}; // the write tells what fails on the way
    const fs::path folder = fs::weakly_canonical(ApplicationFolder(), error);
    if (error)
        return {};
    const fs::path skins = fs::weakly_canonical(SkinsFolderPath(), error);
    if (error)
        return {};
    if (!liesWithin(resolved, folder) || resolved == folder)
        return QStringLiteral("путь ведёт за пределы папки Kelvora");
    if (liesWithin(resolved, skins))
        return QStringLiteral("это файл в папке скинов");
    if (fs::is_directory(resolved, error))
        return QStringLiteral("это папка");
    if (platform::isSameFile(resolved, ViewerExecutablePath()))
        return QStringLiteral("это программа Kelvora");
    if (const platform::Result<fs::path> running = platform::executablePath();
        running.ok() && platform::isSameFile(resolved, running.value))
        return QStringLiteral("это сама программа %1").arg(kApplicationTitle);
    return {};
}

} // namespace

fs::path ActiveSkinRelativePath(const QString &name)
{
    fs::path path;
    for (const QString &part : partsOf(name))
        path /= ToNativePath(part);
    return path;
}

QString ActiveSkinNameProblem(const QString &name)
{
    if (QString problem = nameProblem(name); !problem.isEmpty())
        return problem;
    return pathProblem(ApplicationFolder() / ActiveSkinRelativePath(name));
}
