#include "SkinLibrary.h"

#include "AppFolder.h"
#include "Module1.h"
#include "platform/Platform.h"

#include <QLatin1StringView>

#include <algorithm>
#include <vector>

namespace {

const QLatin1StringView kSkinsFolder("Skins");
const QLatin1StringView kSkinExtension(".scn");
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
    Result<QStringList> skins = platform::visibleFileNames(SkinsFolderPath(), kSkinExtension);
    sortForList(skins.value);
    return skins;
}
