// Applying a skin with both flags off: a copy over the active skin file,
// against a plain copy that is just as durable.

#include "AppFolder.h"
#include "AppFolders.h"
#include "Module1.h"
#include "PlatformEdge.h"
#include "RatioReporter.h"
#include "SkinActions.h"
#include "SkinLibrary.h"

#include <QFile>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

const QString kSkin = QStringLiteral("skin.scn");
const std::filesystem::path kSkinName = "skin.scn";

// An application folder whose only skin has `bytes` bytes.
QString appFolderWithSkinOf(qint64 bytes)
{
    return AppFolderMadeOnce("apply " + std::to_string(bytes), [bytes](const QString &folder) {
        WriteSkinFile(folder + u'/' + kSkin, bytes);
    });
}

void applySkin(benchmark::State &state, qint64 bytes)
{
    UseApplicationFolder(ToNativePath(appFolderWithSkinOf(bytes)));
    Module1::SkinFileName = QStringLiteral("Kelvora.rus");
    Module1::KillKelvoraEnable = QStringLiteral("0");
    Module1::RunKLVAfterApply = QStringLiteral("0");
    for (auto _ : state)
        ApplySkin(kSkinName);
}

void syncPath(const char *path)
{
    const int fd = open(path, O_RDONLY);
    fsync(fd);
    close(fd);
}

// Copy to a temporary file beside the destination, sync, rename over it, sync the folder.
void plainCopy(benchmark::State &state, qint64 bytes)
{
    const QString folder = appFolderWithSkinOf(bytes);
    const QByteArray source = QFile::encodeName(folder + QStringLiteral("/Skins/") + kSkin);
    const QByteArray temporary = QFile::encodeName(folder + QStringLiteral("/copy.tmp"));
    const QByteArray destination = QFile::encodeName(folder + QStringLiteral("/Kelvora.rus"));
    const QByteArray folderName = QFile::encodeName(folder);
    std::vector<char> chunk(64 * 1024);
    for (auto _ : state) {
        const int in = open(source.constData(), O_RDONLY);
        const int out = open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ssize_t got;
        while ((got = read(in, chunk.data(), chunk.size())) > 0)
            benchmark::DoNotOptimize(write(out, chunk.data(), size_t(got)));
        fsync(out);
        close(out);
        close(in);
        std::rename(temporary.constData(), destination.constData());
        syncPath(folderName.constData());
    }
}

[[maybe_unused]] const bool registered = [] {
    for (const auto &[label, bytes] :
         {std::pair{"100 KB", qint64(100) * 1024}, std::pair{"50 MB", qint64(50) * 1024 * 1024}})
        RegisterPair(
            std::string("ApplySkin ") + label,
            [bytes](benchmark::State &s) { applySkin(s, bytes); },
            [bytes](benchmark::State &s) { plainCopy(s, bytes); });
    return true;
}();

} // namespace
