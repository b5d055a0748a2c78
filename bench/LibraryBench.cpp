// The skin library's file operations against the least work that gives the same result.

#include "ActiveSkin.h"
#include "AppFolders.h"
#include "DescriptionField.h"
#include "PlatformEdge.h"
#include "RatioReporter.h"
#include "SkinLibrary.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <unistd.h>

namespace {

// An application folder whose Skins folder holds `skins` skins and as many other files.
QString libraryWith(int skins)
{
    return AppFolderMadeOnce("library " + std::to_string(skins), [skins](const QString &folder) {
        for (int i = 0; i < skins; ++i) {
            const QString stem = folder + QStringLiteral("/Скин %1").arg((i * 7919) % skins);
            QFile(stem + QStringLiteral(".scn")).open(QIODevice::WriteOnly);
            QFile(stem + QStringLiteral(".jpg")).open(QIODevice::WriteOnly);
        }
    });
}

void listSkins(benchmark::State &state, int skins)
{
    UseAppFolder(libraryWith(skins));
    for (auto _ : state)
        benchmark::DoNotOptimize(ListSkins(SkinsFolderPath()));
}

void readDirectory(benchmark::State &state, int skins)
{
    const QByteArray folder = QFile::encodeName(libraryWith(skins) + QStringLiteral("/Skins"));
    for (auto _ : state) {
        std::vector<std::string> names;
        DIR *dir = opendir(folder.constData());
        while (const dirent *entry = readdir(dir)) {
            const size_t length = std::strlen(entry->d_name);
            if (entry->d_type == DT_REG && entry->d_name[0] != '.' && length >= 4 &&
                strcasecmp(entry->d_name + length - 4, ".scn") == 0)
                names.emplace_back(entry->d_name);
        }
        closedir(dir);
        std::sort(names.begin(), names.end(), [](const std::string &a, const std::string &b) {
            return strcasecmp(a.c_str(), b.c_str()) < 0;
        });
        benchmark::DoNotOptimize(names);
    }
}

QString oneSkin()
{
    static QTemporaryDir folder;
    const QString path = folder.path() + QStringLiteral("/skin.scn");
    WriteSkinFile(path, 4096);
    return path;
}

void positionedIo(benchmark::State &state, bool write)
{
    const QByteArray path = QFile::encodeName(oneSkin());
    char field[255] = {};
    for (auto _ : state) {
        const int fd = open(path.constData(), O_RDWR | O_CREAT, 0644);
        const ssize_t done =
            write ? pwrite(fd, field, sizeof field, 581) : pread(fd, field, sizeof field, 581);
        close(fd);
        benchmark::DoNotOptimize(done);
    }
}

// An application folder with 10,000 skins of one size and an active skin file
// equal to none of them, so that every skin is read to the end.
QString equalSizes()
{
    return AppFolderMadeOnce("equal sizes", [](const QString &folder) {
        for (int i = 0; i < 10000; ++i)
            WriteSkinFile(folder + QStringLiteral("/Скин %1.scn").arg(i), 4096);
        QFile active(folder + QStringLiteral("/../Kelvora.rus"));
        active.open(QIODevice::WriteOnly);
        active.write(QByteArray(4096, 'a'));
    });
}

std::vector<SkinName> equalSizeNames()
{
    std::vector<SkinName> names;
    for (int i = 0; i < 10000; ++i) {
        const QString name = QStringLiteral("Скин %1.scn").arg(i);
        names.push_back({ToNativePath(name), name});
    }
    return names;
}

void findActiveSkin(benchmark::State &state)
{
    const std::filesystem::path folder = ToNativePath(equalSizes());
    const std::vector<SkinName> names = equalSizeNames();
    for (auto _ : state)
        benchmark::DoNotOptimize(SkinsEqualTo(folder / "Kelvora.rus", folder / "Skins", names));
}

// Each file read once, whole.
void readEveryFile(benchmark::State &state)
{
    const std::filesystem::path skins = ToNativePath(equalSizes()) / "Skins";
    const std::vector<SkinName> names = equalSizeNames();
    std::vector<char> bytes(4096);
    for (auto _ : state) {
        for (const SkinName &name : names) {
            const int fd = open((skins / name.file).c_str(), O_RDONLY);
            benchmark::DoNotOptimize(read(fd, bytes.data(), bytes.size()));
            close(fd);
        }
    }
}

[[maybe_unused]] const bool registered = [] {
    RegisterPair("Finding the active skin, 10000 of one size", findActiveSkin, readEveryFile);
    for (int skins : {1000, 10000, 100000})
        RegisterPair(
            "ListSkins " + std::to_string(skins),
            [skins](benchmark::State &s) { listSkins(s, skins); },
            [skins](benchmark::State &s) { readDirectory(s, skins); });
    RegisterPair(
        "ReadDescription",
        [](benchmark::State &s) {
            const std::filesystem::path path = ToNativePath(oneSkin());
            for (auto _ : s)
                benchmark::DoNotOptimize(ReadDescription(path));
        },
        [](benchmark::State &s) { positionedIo(s, false); });
    RegisterPair(
        "WriteDescription",
        [](benchmark::State &s) {
            const std::filesystem::path path = ToNativePath(oneSkin());
            const QString text = QStringLiteral("Описание скина");
            for (auto _ : s)
                benchmark::DoNotOptimize(WriteDescription(path, text));
        },
        [](benchmark::State &s) { positionedIo(s, true); });
    return true;
}();

} // namespace
