// Applying a skin with both flags off: a copy over the active skin file, with
// the file it replaces kept in the skin history first, against the least work
// that is just as durable and keeps the same bytes; and the same apply among
// 100,000 skins of one size against it among none, until the mark moves.

#include "AppFolders.h"
#include "DescriptionField.h"
#include "frmMain.h"
#include "Module1.h"
#include "platform/ReplacingCopy.h"
#include "PlatformEdge.h"
#include "RatioReporter.h"
#include "SkinActions.h"
#include "SkinLibrary.h"
#include "SkinListModel.h"
#include "UserInterface.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListView>

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

// Marks the skin just applied, as the window does, and says nothing.
class MarkingInterface final : public UserInterface
{
public:
    explicit MarkingInterface(std::filesystem::path marked)
        : marked_(std::move(marked))
    {
        SetUserInterface(this);
    }
    ~MarkingInterface() override { SetUserInterface(nullptr); }
    MarkingInterface(const MarkingInterface &) = delete;
    MarkingInterface &operator=(const MarkingInterface &) = delete;

    void showMessage(const QString &, Icon, const QString &) override {}
    void showError(const FileError &) override {}
    void refreshSkinList(const std::filesystem::path &) override {}
    void activeSkinChanged(const std::filesystem::path &applied) override { marked_ = applied; }
    std::filesystem::path markedSkin() const override { return marked_; }

private:
    std::filesystem::path marked_;
};

// More skins applied in turn than the history keeps, so that each apply
// replaces bytes that no entry holds and the entry is named after its skin.
constexpr int kSkinsInTurn = int(kMostHistoryEntries) + 2;
constexpr qint64 kSmallSkin = 4096;
constexpr int kSkinsOfOneSize = 100000;

std::filesystem::path skinInTurn(int i)
{
    return ToNativePath(QStringLiteral("z%1.scn").arg(i, 2, 10, QChar(u'0')));
}

// The skins applied in turn, of one size and each of its own bytes, and
// `others` skins of that size too, differing only in their last byte and
// first by name, as a fixed-size skin format has them.
QString appFolderWithSkinsInTurn(int others)
{
    return AppFolderMadeOnce("in turn " + std::to_string(others), [others](const QString &folder) {
        const auto write = [&folder](const QString &name, QByteArray bytes) {
            QFile file(folder + u'/' + name);
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
                qFatal("cannot write %s", qPrintable(file.fileName()));
        };
        for (int i = 0; i < kSkinsInTurn; ++i)
            write(FromNativePath(skinInTurn(i)),
                  QByteArray(kSmallSkin - 2, 'v') + QByteArray::number(i + 10));
        for (int i = 0; i < others; ++i)
            write(QStringLiteral("f%1.scn").arg(i, 6, 10, QChar(u'0')),
                  QByteArray(kSmallSkin - 1, 'v') + 'f');
        // The applies sync their files: the making of the folder must not be
        // what they wait for.
        sync();
    });
}

// The program's paths in the folder of the skins in turn, and its active skin
// file holding the last of them, as a window that has read its list knows:
// the skin it marks. Returns that skin.
std::filesystem::path useSkinsInTurn(int others)
{
    UseAppFolder(appFolderWithSkinsInTurn(others));
    Module1::SkinFileName = QStringLiteral("Kelvora.rus");
    Module1::KillKelvoraEnable = QStringLiteral("0");
    Module1::RunKLVAfterApply = QStringLiteral("0");
    const std::filesystem::path last = skinInTurn(kSkinsInTurn - 1);
    if (const platform::Status failed =
            platform::copyReplacing(SkinFilePath(last), ActiveSkinPath()))
        qFatal("%s", qPrintable(FileErrorText(ToFileError(*failed))));
    return last;
}

// Applies the skins in turn from the main window among 100,000 skins of their
// size, as its list and its gallery do, until the list marks the skin applied.
void markAfterApply(benchmark::State &state)
{
    frmMain window;
    const std::filesystem::path marked = useSkinsInTurn(kSkinsOfOneSize - kSkinsInTurn);
    window.show();
    auto *list = window.findChild<QListView *>(QStringLiteral("File1"));
    const auto model = static_cast<const SkinListModel *>(list->model());
    const auto waitForMark = [model](const std::filesystem::path &skin) {
        while (model->rowOf(skin) < 0 || !model->isActive(model->rowOf(skin)))
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    };
    waitForMark(marked); // the list read, and the active skin found in it
    int next = 0;
    for (auto _ : state) {
        const std::filesystem::path skin = skinInTurn(next++ % kSkinsInTurn);
        ApplySkin(skin);
        waitForMark(skin);
    }
}

// The same applies among no other skins, with nothing but the mark to show.
void applyAlone(benchmark::State &state)
{
    const MarkingInterface window(useSkinsInTurn(0));
    int next = 0;
    for (auto _ : state)
        ApplySkin(skinInTurn(next++ % kSkinsInTurn));
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
    RegisterPair("Mark after an apply, 100000 skins of one size", markAfterApply, applyAlone);
    return true;
}();

} // namespace
