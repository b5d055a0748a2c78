#include "SkinLibrary.h"

#include "AppFolder.h"
#include "Module1.h"
#include "platform/FileListing.h"
#include "PlatformEdge.h"

#include <QDir>
#include <QLatin1StringView>

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

const QLatin1StringView kSkinsFolder("Skins");
constexpr std::string_view kSkinExtension = ".scn";
const QLatin1StringView kPreviewExtension(".jpg");
const QLatin1StringView kViewerExecutable("Kelvora.exe");

// The name with each character case-folded on its own, as case-insensitive
// comparison of texts does; one character at a time is much cheaper than
// QString::toCaseFolded() for short names.
QString caseFolded(const QString &name)
{
    QString folded(name.size(), Qt::Uninitialized);
    QChar *out = folded.data();
    for (const QChar c : name)
        *out++ = QChar(char16_t(QChar::toCaseFolded(char32_t(c.unicode()))));
    return folded;
}

// Order of the skin list: by name ignoring letter case, ties by exact name.
// Folding each name once keeps the sort from folding at every comparison.
void sortForList(QStringList &names)
{
    struct Entry
    {
        QString folded;
        QString name;
    };
    std::vector<Entry> entries;
    entries.reserve(names.size());
    for (QString &name : names)
        entries.push_back({caseFolded(name), std::move(name)});
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        const int byCase = a.folded.compare(b.folded);
        return byCase != 0 ? byCase < 0 : a.name < b.name;
    });
    for (qsizetype i = 0; i < names.size(); ++i)
        names[i] = std::move(entries[i].name);
}

} // namespace

QString SkinsFolderPath()
{
    return ApplicationFolder() + QDir::separator() + kSkinsFolder;
}

QString SkinFilePath(const QString &name)
{
    return SkinsFolderPath() + QDir::separator() + name;
}

QString PreviewPathFor(const QString &name)
{
    // Always drops the last four characters, whatever they are.
    return SkinsFolderPath() + QDir::separator() + name.left(name.size() - 4) + kPreviewExtension;
}

QString ActiveSkinPath()
{
    return ApplicationFolder() + QDir::separator() + Module1::SkinFileName;
}

QString ViewerExecutablePath()
{
    return ApplicationFolder() + QDir::separator() + kViewerExecutable;
}

QString ActiveSkinNameProblem(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("имя не указано");
    if (name == u'.' || name == QLatin1StringView(".."))
        return QStringLiteral("это не имя файла");
    // A separator or a drive would lead out of the application folder.
    for (const QChar c : name) {
        if (c == u'/' || c == u'\\' || c == u':')
            return QStringLiteral("имя не может содержать знаки / \\ :");
        if (c.unicode() < 0x20)
            return QStringLiteral("имя не может содержать управляющие знаки");
    }
    if (name.compare(kSkinsFolder, Qt::CaseInsensitive) == 0)
        return QStringLiteral("это папка скинов");
    if (name.compare(kViewerExecutable, Qt::CaseInsensitive) == 0)
        return QStringLiteral("это программа Kelvora");
    return {};
}

Result<QStringList> ListSkins()
{
    const platform::Result<std::vector<platform::NativeName>> listed =
        platform::visibleFileNames(ToNativePath(SkinsFolderPath()), kSkinExtension);
    if (!listed.ok())
        return {QStringList(), ToFileError(*listed.failure)};
    QStringList skins;
    skins.reserve(qsizetype(listed.value.size()));
    for (const platform::NativeName &name : listed.value)
        skins.append(FromNativeName(name));
    sortForList(skins);
    return Result<QStringList>::success(std::move(skins));
}
