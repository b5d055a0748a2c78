#include "SkinLibrary.h"

#include "AppFolder.h"
#include "Module1.h"
#include "platform/FileListing.h"
#include "platform/PositionedFile.h"
#include "PlatformEdge.h"
#include "PrintedSkinName.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <type_traits>
#include <vector>

namespace {

constexpr std::string_view kSkinsFolder = "Skins";
constexpr std::string_view kSkinExtension = ".scn";
constexpr std::string_view kPreviewExtension = ".jpg";
constexpr std::string_view kViewerExecutable = "Kelvora.exe";

// Order of the skin list: by shown name ignoring letter case, ties by exact
// name. Each name is folded once; the sort moves small keys that lie
// together in memory, and the skins are then put in their order in place, so
// that a large folder costs no second list of skins.
void sortForList(std::vector<SkinName> &skins)
{
    struct Key
    {
        QString folded;
        std::size_t index;
    };
    std::vector<Key> keys;
    keys.reserve(skins.size());
    for (std::size_t i = 0; i < skins.size(); ++i)
        keys.push_back({CaseFolded(skins[i].shown), i});
    std::sort(keys.begin(), keys.end(), [&skins](const Key &a, const Key &b) {
        if (const int byCase = a.folded.compare(b.folded); byCase != 0)
            return byCase < 0;
        const SkinName &first = skins[a.index];
        const SkinName &second = skins[b.index];
        if (const int exact = first.shown.compare(second.shown); exact != 0)
            return exact < 0;
        return first.file < second.file; // names that show alike
    });
    // Place i takes the skin keys[i] names; each cycle of moves ends where it began.
    for (std::size_t start = 0; start < keys.size(); ++start) {
        if (keys[start].index == start)
            continue;
        SkinName held = std::move(skins[start]);
        std::size_t place = start;
        while (keys[place].index != start) {
            const std::size_t from = keys[place].index;
            skins[place] = std::move(skins[from]);
            keys[place].index = place;
            place = from;
        }
        skins[place] = std::move(held);
        keys[place].index = place;
    }
}

} // namespace

// One character at a time is much cheaper than QString::toCaseFolded() for short names.
QString CaseFolded(const QString &text)
{
    QString folded(text.size(), Qt::Uninitialized);
    QChar *out = folded.data();
    for (const QChar c : text)
        *out++ = QChar(char16_t(QChar::toCaseFolded(char32_t(c.unicode()))));
    return folded;
}

std::filesystem::path SkinsFolderPath()
{
    return ApplicationFolder() / kSkinsFolder;
}

std::filesystem::path SkinFilePath(const std::filesystem::path &name)
{
    return SkinsFolderPath() / name;
}

std::filesystem::path PreviewPathFor(const std::filesystem::path &name)
{
    return PreviewBeside(SkinFilePath(name));
}

std::filesystem::path PreviewBeside(const std::filesystem::path &skinFile)
{
    // Always drops the last four characters, whatever they are.
    std::filesystem::path::string_type preview = skinFile.native();
    preview.resize(preview.size() >= 4 ? preview.size() - 4 : 0);
    return std::filesystem::path(std::move(preview)) += kPreviewExtension;
}

bool IsSkinFileName(const std::filesystem::path &name)
{
    const std::filesystem::path::string_type &text = name.native();
    if (text.size() < kSkinExtension.size())
        return false;
    return std::equal(kSkinExtension.begin(), kSkinExtension.end(),
                      text.end() - std::ptrdiff_t(kSkinExtension.size()), [](char wanted, auto c) {
                          const auto unit = std::make_unsigned_t<decltype(c)>(c);
                          return unit < 0x80 && std::tolower(int(unit)) == wanted;
                      });
}

std::filesystem::path ActiveSkinPath()
{
    return ApplicationFolder() / ActiveSkinRelativePath(Module1::SkinFileName);
}

std::filesystem::path ViewerExecutablePath()
{
    return ApplicationFolder() / kViewerExecutable;
}

bool HoldsViewer(const std::filesystem::path &folder)
{
    std::error_code unreadable; // counts as no viewer
    return !folder.empty() &&
           std::filesystem::is_regular_file(folder / kViewerExecutable, unreadable);
}

bool IsViewerFolder(const std::filesystem::path &folder)
{
    std::error_code unreadable;
    return HoldsViewer(folder) ||
           (!folder.empty() && std::filesystem::is_directory(folder / kSkinsFolder, unreadable));
}

Result<QByteArray> ReadPreviewFile(const std::filesystem::path &path)
{
    platform::Result<std::string> bytes = platform::readAt(path, 0, kLargestPreview + 1);
    if (!bytes.ok())
        return {{}, ToFileError(*bytes.failure)};
    if (bytes.value.size() > kLargestPreview)
        return {{},
                FileError{FromNativePath(path), QStringLiteral("файл слишком велик для картинки")}};
    return {QByteArray(bytes.value.data(), qsizetype(bytes.value.size())), std::nullopt};
}

std::filesystem::path UsableActiveSkinPath()
{
    return ActiveSkinNameProblem(Module1::SkinFileName).isEmpty() ? ActiveSkinPath()
                                                                  : std::filesystem::path();
}

Result<std::vector<SkinName>> ListSkins(const std::filesystem::path &skinsFolder)
{
    platform::Result<std::vector<platform::NativeName>> listed =
        platform::visibleFileNames(skinsFolder, kSkinExtension);
    if (!listed.ok())
        return {{}, ToFileError(*listed.failure)};
    std::vector<SkinName> skins;
    skins.reserve(listed.value.size());
    for (platform::NativeName &name : listed.value) {
        QString shown = FromNativeName(name);
        // A name that is no text is shown as --list prints it: with
        // replacement characters it would look like another skin's.
        if (ToNativePath(shown).native() != name)
            shown = PrintedSkinName(name);
        skins.push_back({std::move(name), std::move(shown)});
    }
    listed.value = {}; // emptied names: their room goes before the sort takes its own
    sortForList(skins);
    return {std::move(skins), std::nullopt};
}
