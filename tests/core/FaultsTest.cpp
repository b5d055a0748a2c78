// The library under bad input and faults: what must never happen is a file
// created, lost or written outside the application folder, a wait without end,
// or a failure that passes in silence.

#include "ApplySkinFixture.h"
#include "DescriptionField.h"
#include "MarkerViewer.h"
#include "SkinLibrary.h"
#include "TemporaryLeftovers.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <fstream>
#include <sys/stat.h>

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

    const Result<std::vector<SkinName>> listed = ListSkins();
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
    const QString link = appFolder() + QStringLiteral("/.Blue.scn.ksm-a1B2c3.tmp");
    ASSERT_TRUE(QFile::link(skin(QStringLiteral("Blue.scn")), link));

    RemoveTemporaryLeftovers(FoldersWrittenTo());

    for (const QString &file : leftOvers)
        EXPECT_FALSE(QFileInfo::exists(file)) << file.toStdString();
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

} // namespace
