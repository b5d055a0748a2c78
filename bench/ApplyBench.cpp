// Applying a skin with both flags off: a copy over the active skin file, with
// the file it replaces kept in the skin history first, against the least work
// that is just as durable and keeps the same bytes.

#include "AppFolders.h"
#include "DescriptionField.h"
#include "Module1.h"
#include "RatioReporter.h"
#include "SkinActions.h"
#include "SkinLibrary.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

const QString kSkin = QStringLiteral("skin.scn");
const QString kOtherSkin = QStringLiteral("other.scn");
const std::filesystem::path kSkinName = "skin.scn";
const std::filesystem::path kOtherSkinName = "other.scn";

// An application folder with two skins of `bytes` bytes that differ, as skins
// do, in their description field.
QString appFolderWithSkinsOf(qint64 bytes)
{
    return AppFolderMadeOnce("apply " + std::to_string(bytes), [bytes](const QString &folder) {
        WriteSkinFile(folder + u'/' + kSkin, bytes);
        WriteSkinFile(folder + u'/' + kOtherSkin, bytes);
        QFile other(folder + u'/' + kOtherSkin);
        if (!other.open(QIODevice::ReadWrite) || !other.seek(kDescriptionOffset) ||
            !other.write("!", 1))
            qFatal("cannot write %s", qPrintable(other.fileName()));
    });
}

void useAppFolderOf(qint64 bytes)
{
    UseAppFolder(appFolderWithSkinsOf(bytes));
    Module1::SkinFileName = QStringLiteral("Kelvora.rus");
    Module1::KillKelvoraEnable = QStringLiteral("0");
    Module1::RunKLVAfterApply = QStringLiteral("0");
}

// The same skin again and again: what each apply replaces is the newest entry
// already, which is compared and not kept twice.
void applySameSkin(benchmark::State &state, qint64 bytes)
{
    useAppFolderOf(bytes);
    for (auto _ : state)
        ApplySkin(kSkinName);
}

// Two skins in turn: each apply keeps what it replaces as a new entry, named
// after the skin whose bytes it holds, and the oldest entries go.
void applyKeepingEntries(benchmark::State &state, qint64 bytes)
{
    useAppFolderOf(bytes);
    bool other = false;
    for (auto _ : state)
        ApplySkin((other = !other) ? kOtherSkinName : kSkinName);
}

void syncPath(const char *path)
{
    const int fd = open(path, O_RDONLY);
    fsync(fd);
    close(fd);
}

// Copies the file and syncs the copy.
void copySynced(const char *from, const char *to, std::vector<char> &chunk)
{
    const int in = open(from, O_RDONLY);
    const int out = open(to, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ssize_t got;
    while ((got = read(in, chunk.data(), chunk.size())) > 0)
        benchmark::DoNotOptimize(write(out, chunk.data(), size_t(got)));
    fsync(out);
    close(out);
    close(in);
}

// The replaced file copied into a history folder, synced with its folder; then
// the new one copied to a temporary file beside the destination, synced,
// renamed over it, and the folder synced.
void keepThenCopy(benchmark::State &state, qint64 bytes)
{
    const QString folder = appFolderWithSkinsOf(bytes);
    const QByteArray source = QFile::encodeName(folder + QStringLiteral("/Skins/") + kSkin);
    const QByteArray temporary = QFile::encodeName(folder + QStringLiteral("/copy.tmp"));
    const QByteArray destination = QFile::encodeName(folder + QStringLiteral("/Kelvora.rus"));
    const QByteArray folderName = QFile::encodeName(folder);
    const QString history = folder + QStringLiteral("/baseline history");
    if (!QDir().mkpath(history))
        qFatal("cannot make %s", qPrintable(history));
    const QByteArray historyName = QFile::encodeName(history);
    const QByteArray kept = QFile::encodeName(history + QStringLiteral("/kept"));
    std::vector<char> chunk(64 * 1024);
    copySynced(source.constData(), destination.constData(), chunk);
    for (auto _ : state) {
        copySynced(destination.constData(), kept.constData(), chunk);
        syncPath(historyName.constData());
        copySynced(source.constData(), temporary.constData(), chunk);
        std::rename(temporary.constData(), destination.constData());
        syncPath(folderName.constData());
    }
}

[[maybe_unused]] const bool registered = [] {
    for (const auto &[label, bytes] :
         {std::pair{"100 KB", qint64(100) * 1024}, std::pair{"50 MB", qint64(50) * 1024 * 1024}}) {
        RegisterPair(
            std::string("ApplySkin ") + label,
            [bytes](benchmark::State &s) { applySameSkin(s, bytes); },
            [bytes](benchmark::State &s) { keepThenCopy(s, bytes); });
        RegisterPair(
            std::string("ApplySkin with a history entry ") + label,
            [bytes](benchmark::State &s) { applyKeepingEntries(s, bytes); },
            [bytes](benchmark::State &s) { keepThenCopy(s, bytes); });
    }
    return true;
}();

} // namespace
