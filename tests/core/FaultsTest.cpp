// The library under bad input and faults: what must never happen is a file
// created, lost or written outside the application folder, a wait without end,
// or a failure that passes in silence.

#include "ApplySkinFixture.h"
#include "DescriptionField.h"
#include "MarkerViewer.h"
#include "platform/FileLock.h"
#include "SkinLibrary.h"
#include "TemporaryLeftovers.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

using CoreFaultsTest = ApplySkinTest;

// Reading a description never creates the file: a skin that went after the
// list was read stays gone, and applying it leaves the active skin whole.
TEST_F(CoreFaultsTest, ASkinThatWentIsReportedAndNeverMadeAgain)
{
    const std::filesystem::path gone = SkinFilePath("Gone.scn");

    const Result<QString> read = ReadDescription(gone);
    ApplySkin("Gone.scn");

    EXPECT_FALSE(read.ok());
    EXPECT_FALSE(QFileInfo::exists(text(gone)));
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ui.errors[0].path, text(gone));
    EXPECT_EQ(readFile(activeSkin()), kOldActive);
}

// A name whose bytes are no UTF-8 text, in a folder whose name is not either:
// listed, described, applied and deleted by its real name.
TEST_F(CoreFaultsTest, NamesThatAreNoTextAreKeptAsTheFileSystemGivesThem)
{
    const std::filesystem::path folder =
        ToNativePath(appFolder()) / std::string("\xCF\xE0\xEF\xEA\xE0"); // "Папка" in cp1251
    ASSERT_TRUE(std::filesystem::create_directories(folder / "Skins"));
    ASSERT_FALSE(UseApplicationFolder(folder));
    const std::filesystem::path name = std::string("\xCD\xEE\xF7\xFC.scn"); // "Ночь.scn"
    std::filesystem::path preview = name;
    preview.replace_extension(".jpg");
    std::ofstream(folder / "Skins" / name) << std::string(900, 'n');
    std::ofstream(folder / "Skins" / preview) << "picture";
    ASSERT_FALSE(WriteDescription(SkinFilePath(name), QStringLiteral("Ночь")));

    const Result<std::vector<SkinName>> listed = ListSkins(SkinsFolderPath());
    ASSERT_TRUE(listed.ok());
    ASSERT_EQ(listed.value.size(), 1u);
    EXPECT_EQ(listed.value[0].file, name);
    EXPECT_TRUE(ReadDescription(SkinFilePath(listed.value[0].file)).value.startsWith(u"Ночь"));
    ApplySkin(listed.value[0].file);
    EXPECT_EQ(std::filesystem::file_size(folder / "Kelvora.rus"), 900u);
    EXPECT_FALSE(DeleteSkin(listed.value[0].file));
    EXPECT_TRUE(std::filesystem::is_empty(folder / "Skins"));
    EXPECT_TRUE(ui.errors.empty());
}

// A named pipe never answers a read: it is refused at once, not waited on.
TEST_F(CoreFaultsTest, NamedPipesAreRefusedWithoutWaiting)
{
    for (const char *name : {"Pipe.scn", "Pipe.jpg"})
        ASSERT_EQ(::mkfifo((skinsFolder() + u'/' + QLatin1StringView(name)).toLocal8Bit(), 0600),
                  0);

    EXPECT_FALSE(ReadDescription(SkinFilePath("Pipe.scn")).ok());
    EXPECT_FALSE(ReadPreviewFile(PreviewPathFor("Pipe.scn")).ok());
    ApplySkin("Pipe.scn");

    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(readFile(activeSkin()), kOldActive);
}

// A name too long for the trash's records of it goes all the same, at once.
TEST_F(CoreFaultsTest, DeletingASkinOfTheLongestNameEnds)
{
    const QString name = QString(251, u'n') + QStringLiteral(".scn");
    writeFile(skin(name), "x");

    EXPECT_FALSE(DeleteSkin(ToNativePath(name)));

    EXPECT_FALSE(QFileInfo::exists(skin(name)));
    EXPECT_EQ(ui.refreshes, 1);
}

// A SkinFileName that leads out of the application folder (by its text or
// through a link), onto the library, the viewer or this program, is said to be
// wrong; no file changes and the viewer is neither closed nor started.
TEST_F(CoreFaultsTest, UnusableSkinFileNameIsReportedAndNothingHappens)
{
    Module1::KillKelvoraEnable = QStringLiteral("1");
    Module1::RunKLVAfterApply = QStringLiteral("1");
    const MarkerViewer viewer(appFolder());
    ASSERT_TRUE(QFile::link(root.path(), appFolder() + QStringLiteral("/out")));
    ASSERT_TRUE(QFile::link(skinsFolder(), appFolder() + QStringLiteral("/library")));
    ASSERT_TRUE(QFile::link(appFolder() + QStringLiteral("/Kelvora.exe"),
                            appFolder() + QStringLiteral("/viewer.lnk")));
    for (const char *value : {"",
                              ".",
                              "..",
                              "../outside.rus",
                              "data/../../outside.rus",
                              "Skins/Blue.scn",
                              "SKINS\\Blue.scn",
                              "/tmp/x.rus",
                              "\\x.rus",
                              "C:x.rus",
                              "skins",
                              "KELVORA.EXE",
                              "Kelvora.exe. ",
                              "KelvoraSkinManager",
                              "kelvoraskinmanager.",
                              "data/",
                              "data//x.rus",
                              "NUL",
                              "com1.rus",
                              "out/outside.rus",
                              "library/x.rus",
                              "viewer.lnk"}) {
        SCOPED_TRACE(value);
        ui.messages.clear();
        Module1::SkinFileName = QString::fromLatin1(value);

        ApplySkin("Blue.scn");

        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_TRUE(ui.messages[0].text.contains(QStringLiteral("неверное имя файла скина")));
        EXPECT_TRUE(ui.messages[0].text.contains(QString::fromLatin1(value)));
    }
    EXPECT_EQ(readFile(activeSkin()), kOldActive);
    EXPECT_EQ(readFile(skin(QStringLiteral("Blue.scn"))), kBlue);
    EXPECT_TRUE(QDir(root.path()).entryList(QDir::Files).isEmpty());
    EXPECT_FALSE(viewer.startsWithin(500ms));
}

// The active skin file may lie in a subfolder of the application folder,
// named with either separator.
TEST_F(CoreFaultsTest, ASkinFileNameInASubfolderIsWritten)
{
    ASSERT_TRUE(QDir(appFolder()).mkdir(QStringLiteral("data")));
    for (const char *value : {"data\\Kelvora.rus", "data/Kelvora.rus"}) {
        SCOPED_TRACE(value);
        QFile::remove(appFolder() + QStringLiteral("/data/Kelvora.rus"));
        Module1::SkinFileName = QString::fromLatin1(value);

        ApplySkin("Blue.scn");

        EXPECT_EQ(readFile(appFolder() + QStringLiteral("/data/Kelvora.rus")), kBlue);
    }
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.errors.empty());
}

// What a copy killed half-way left goes at the next start, from every folder
// the program writes to; a file of the same form that is a link stays, and so
// does the file it leads to.
TEST_F(CoreFaultsTest, TemporaryLeftoversGoAndNothingElse)
{
    ASSERT_TRUE(QDir(appFolder()).mkdir(QStringLiteral("data")));
    Module1::SkinFileName = QStringLiteral("data/Kelvora.rus");
    const QString thumbnails = qEnvironmentVariable("XDG_CACHE_HOME") + "/thumbnails/large";
    ASSERT_TRUE(QDir().mkpath(thumbnails));
    const QString leftOvers[] = {appFolder() + QStringLiteral("/.Kelvora.rus.ksm-a1B2c3.tmp"),
                                 skinsFolder() + QStringLiteral("/.Blue.scn.ksm-000000.tmp"),
                                 appFolder() + QStringLiteral("/data/.Kelvora.rus.ksm-zzzzzz.tmp"),
                                 thumbnails + QStringLiteral("/.0f1e2d.png.ksm-q9W8e7.tmp")};
    for (const QString &file : leftOvers)
        writeFile(file, "half a copy");
    ASSERT_TRUE(QDir().mkpath(historyFolder()));
    const QString inTheHistory =
        historyFolder() + QStringLiteral("/.00000001-20261207T160609.123Z-25.ksm-q1w2e3.tmp");
    writeFile(inTheHistory, "half an entry");
    const QString link = appFolder() + QStringLiteral("/.Blue.scn.ksm-a1B2c3.tmp");
    ASSERT_TRUE(QFile::link(skin(QStringLiteral("Blue.scn")), link));

    RemoveTemporaryLeftovers(FoldersWrittenTo());

    for (const QString &file : leftOvers)
        EXPECT_FALSE(QFileInfo::exists(file)) << file.toStdString();
    EXPECT_FALSE(QFileInfo::exists(inTheHistory));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readFile(skin(QStringLiteral("Blue.scn"))), kBlue);
}

// Any other failure is told once, with the path and the system's reason; the
// active skin stays as it was.
TEST_F(CoreFaultsTest, CopyFailuresAreReportedWithPathAndReason)
{
    ASSERT_TRUE(QDir(skinsFolder()).mkdir(QStringLiteral("Folder.scn")));
    const struct
    {
        const char *situation;
        const char *name;
    } cases[] = {
        {"skin removed after it was selected", "Gone.scn"},
        {"skin is a folder", "Folder.scn"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.situation);
        ui.errors.clear();

        ApplySkin(c.name);

        ASSERT_EQ(ui.errors.size(), 1u);
        EXPECT_EQ(ui.errors[0].path, skin(QString::fromLatin1(c.name)));
        EXPECT_FALSE(ui.errors[0].reason.isEmpty());
        EXPECT_EQ(readFile(activeSkin()), kOldActive);
    }
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(appFolderFiles(), QStringList{QStringLiteral("Kelvora.rus")});
}

TEST_F(CoreFaultsTest, ReadOnlyActiveFileIsReportedAndStaysAsItWas)
{
    const QFileDevice::Permissions readOnly =
        QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(activeSkin(), readOnly));

    ApplySkin("Blue.scn");

    EXPECT_EQ(readFile(activeSkin()), kOldActive);
    EXPECT_FALSE(QFileInfo(activeSkin()).permissions().testFlag(QFileDevice::WriteOwner));
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ui.errors[0].path, activeSkin());
    EXPECT_EQ(appFolderFiles(), QStringList{QStringLiteral("Kelvora.rus")});
}

// A writer killed between any two of its steps leaves the history whole:
// either no entry and the old active file, or the entry of the replaced bytes
// and either file; after the next start no temporary file is left.
TEST_F(CoreFaultsTest, AWriterKilledAtAnyStepLosesNothing)
{
    for (const HistoryStep step : {HistoryStep::NameWritten, HistoryStep::EntryPlaced,
                                   HistoryStep::ActiveReplaced, HistoryStep::Pruned}) {
        SCOPED_TRACE(int(step));
        ASSERT_TRUE(QDir(dataFolder()).removeRecursively());
        writeFile(activeSkin(), kOldActive);
        const pid_t writer = ::fork();
        if (writer == 0) {
            SetHistoryStepHookForTesting([step](HistoryStep reached) {
                if (reached == step)
                    ::_exit(0);
            });
            ApplySkin("Blue.scn");
            ::_exit(1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(writer, &status, 0), writer);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

        RemoveTemporaryLeftovers(FoldersWrittenTo());

        const QByteArray active = readFile(activeSkin());
        const std::vector<HistoryEntry> entries = history();
        ASSERT_TRUE(active == kOldActive || active == kBlue);
        if (active == kBlue || !entries.empty()) {
            ASSERT_EQ(entries.size(), 1u);
            EXPECT_FALSE(entries[0].damaged);
            EXPECT_EQ(readFile(entries[0].file), kOldActive);
        }
        for (const QString &folder : {appFolder(), historyFolder()})
            EXPECT_EQ(QDir(folder).entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden),
                      QStringList());
    }
}

// An entry is a regular file of the size its name gives, else it is listed as
// damaged and never put back, and the bounds go by the bytes entries really
// take; numbers keep their width. An entry is a copy of its own: the viewer
// writing through its handle on the old active file changes no entry.
TEST_F(CoreFaultsTest, AnEntryIsWhatItsNameSaysAndStaysWhatWasReplaced)
{
    writeFile(skin(QStringLiteral("Red.scn")), "red");
    const QString outside = root.path() + QStringLiteral("/outside.rus");
    writeFile(outside, "outside");
    const QString damaged = QStringLiteral("повреждённая запись"),
                  unknown = QStringLiteral("неизвестный скин");
    const struct
    {
        const char *situation;
        const char *name;
        std::function<void(const QString &)> plant;
        QString shown;
    } cases[] = {
        {"cut short", "00000002-20261207T160609.123Z-4096",
         [](const QString &file) { writeFile(file, QByteArray(1000, 'c')); }, damaged},
        {"grown", "00000002-20261207T160609.123Z-4096",
         [](const QString &file) { writeFile(file, QByteArray(5000, 'g')); }, damaged},
        {"a link out of the history", "00000002-20261207T160609.123Z-7",
         [&outside](const QString &file) { ASSERT_TRUE(QFile::link(outside, file)); }, damaged},
        {"a size no disk holds", "00000002-20261207T160609.123Z-999999999999",
         [](const QString &file) { writeFile(file, "claims"); }, damaged},
        {"numbered at the end of the width", "9999999999999999999-20261207T160609.123Z-7",
         [](const QString &file) { writeFile(file, "planted"); }, unknown},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.situation);
        ASSERT_TRUE(QDir(dataFolder()).removeRecursively());
        writeFile(activeSkin(), kOldActive);
        QFile viewerHandle(activeSkin());
        ASSERT_TRUE(viewerHandle.open(QIODevice::ReadWrite));
        ApplySkin("Blue.scn");
        viewerHandle.write("written by the viewer after the apply");
        viewerHandle.close();
        c.plant(historyFolder() + u'/' + QLatin1StringView(c.name));
        ui.errors.clear();

        ApplySkin("Red.scn");
        EXPECT_EQ(shownHistory(), (QStringList{QStringLiteral("Blue.scn"), c.shown, unknown}));
        EXPECT_EQ(readFile(history().back().file), kOldActive);
        UndoApply(2);

        if (c.shown == damaged) {
            ASSERT_EQ(ui.errors.size(), 1u);
            EXPECT_TRUE(ui.errors[0].reason.contains(QStringLiteral("повреждена")));
            EXPECT_EQ(readFile(activeSkin()), "red");
        } else {
            EXPECT_EQ(readFile(activeSkin()), "planted");
        }
    }
    EXPECT_EQ(readFile(outside), "outside");
}

// Another copy that applies, here one stopped with the lock held, is said at
// once and waited for only so long: then the apply and the undo say so and
// change nothing, and the viewer is neither closed nor started.
TEST_F(CoreFaultsTest, AnotherCopyApplyingIsWaitedForOnlySoLong)
{
    Module1::KillKelvoraEnable = QStringLiteral("1");
    Module1::RunKLVAfterApply = QStringLiteral("1");
    const MarkerViewer viewer(appFolder());
    ASSERT_TRUE(QDir().mkpath(historyFolder()));
    const platform::Result<platform::FileLock> otherCopy =
        platform::lockExclusively(HistoryFolder().value / ".lock", 0ms);
    ASSERT_TRUE(otherCopy.value.held());
    SetHistoryLockWaitForTesting(300ms);

    ApplySkin("Blue.scn");
    UndoApply();

    SetHistoryLockWaitForTesting(kHistoryLockWait);
    EXPECT_EQ(ui.notices.size(), 2u);
    ASSERT_EQ(ui.messages.size(), 2u);
    for (const RecordedMessage &message : ui.messages) {
        EXPECT_TRUE(message.text.contains(QStringLiteral("другая копия программы")));
        EXPECT_TRUE(message.text.contains(QStringLiteral("Скин не изменён")));
    }
    EXPECT_EQ(readFile(activeSkin()), kOldActive);
    EXPECT_TRUE(history().empty());
    EXPECT_FALSE(viewer.startsWithin(500ms));
}

// An undo chooses its entry once it holds the lock: what another copy applied
// meanwhile is what it undoes.
TEST_F(CoreFaultsTest, AnUndoChoosesItsEntryUnderTheLock)
{
    ApplySkin("Blue.scn");
    auto otherCopy = std::make_unique<platform::Result<platform::FileLock>>(
        platform::lockExclusively(HistoryFolder().value / ".lock", 0ms));
    ASSERT_TRUE(otherCopy->value.held());
    std::thread undo([] { UndoApply(); });
    std::this_thread::sleep_for(200ms);
    // The other copy's apply: Red replaces Blue, which it keeps.
    writeFile(historyFolder() + QStringLiteral("/00000002-20261207T160609.123Z-") +
                  QString::number(kBlue.size()),
              kBlue);
    writeFile(activeSkin(), "red");
    otherCopy.reset();
    undo.join();

    EXPECT_EQ(readFile(activeSkin()), kBlue);
    EXPECT_TRUE(ui.errors.empty());
}

// An old entry that cannot go is said once, with its path and the reason; the
// apply itself is done.
TEST_F(CoreFaultsTest, AnOldEntryThatCannotGoIsSaid)
{
    ApplySkin("Blue.scn");
    const QString oldest = historyFolder() + QStringLiteral("/00000000-20261207T160609.123Z-0");
    ASSERT_TRUE(QDir().mkpath(oldest));
    writeFile(oldest + QStringLiteral("/inside"), "x");
    for (int i = 0; i < 28; ++i) {
        writeFile(activeSkin(), QByteArray("skin ") + QByteArray::number(i));
        ApplySkin("Blue.scn");
    }
    EXPECT_TRUE(ui.messages.empty());

    writeFile(activeSkin(), "one more");
    ApplySkin("Blue.scn");

    EXPECT_EQ(readFile(activeSkin()), kBlue);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].icon, UserInterface::Icon::Warning);
    EXPECT_TRUE(ui.messages[0].text.contains(QStringLiteral("не удалены")));
    EXPECT_TRUE(ui.messages[0].text.contains(oldest));
    EXPECT_EQ(history().size(), kMostHistoryEntries + 1);
}

} // namespace
