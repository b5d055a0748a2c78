#include "AnsiText.h"
#include "AppInfo.h"
#include "DescriptionField.h"
#include "MarkerViewer.h"
#include "TempAppFolder.h"
#include "WinePrefixLayout.h"

#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>

#include <fstream>
#include <map>
#include <optional>

namespace {

using namespace std::chrono_literals;

// A skin of 1000 bytes of filler with this description field, space-padded.
QByteArray skinBytes(char filler, const QByteArray &field = {})
{
    QByteArray bytes(1000, filler);
    bytes.replace(kDescriptionOffset, kDescriptionLength,
                  field.leftJustified(kDescriptionLength, ' '));
    return bytes;
}

const QByteArray kOldActive = "the active skin as it was";
const QByteArray kBlue = skinBytes('b', "Blue");
const QByteArray kRed = skinBytes('r');

// What a run of the program left on the console.
struct Outcome
{
    int exitCode = -1; // also for a crash or a hang
    QString out;
    QString err;
};

void expectSuccess(const Outcome &run, const QString &out = {})
{
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, out);
    EXPECT_EQ(run.err, QString());
}

// One line on standard error that says this, and nothing on standard output.
void expectFailure(const Outcome &run, const QString &said)
{
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, QString());
    EXPECT_EQ(run.err.count(u'\n'), 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.endsWith(u'\n'));
    EXPECT_TRUE(run.err.contains(said)) << run.err.toStdString();
}

// An application folder with the skins Blue (with its preview), red and Зима,
// a file that is no skin, an active skin file that holds none of them, and
// settings under which no viewer is closed.
class CommandLineTest : public TempAppFolderTest
{
protected:
    void SetUp() override
    {
        TempAppFolderTest::SetUp();
        writeSettings({{"KillKelvoraEnable", "0"}});
        writeFile(skin("Blue.scn"), kBlue);
        writeFile(skin("Blue.jpg"), "picture");
        writeFile(skin("red.SCN"), kRed);
        writeFile(skin("Зима.scn"), skinBytes('z'));
        writeFile(skin("notes.txt"), "no skin");
        writeFile(activeSkin(), kOldActive);
    }

    void writeSettings(const std::map<QString, QString> &values) const
    {
        QByteArray text = "[Options]\n";
        for (const auto &[key, value] : values)
            text += (key + u'=' + value + u'\n').toUtf8();
        writeFile(configFolder() + QStringLiteral("/Kelvora Skin Manager.conf"), text);
    }

    // Starts the program on a console with no display, on the test's settings
    // and with a data folder (trash, skin history) of the test's own.
    void start(QProcess &program, const QStringList &arguments,
               const QString &executable = QStringLiteral(KSM_PROGRAM)) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QLatin1StringView(name));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configFolder());
        environment.insert(QStringLiteral("XDG_DATA_HOME"), dataFolder());
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        program.setProcessEnvironment(environment);
        program.start(executable, arguments);
    }

    static Outcome outcomeOf(QProcess &program)
    {
        if (!program.waitForFinished(60'000) || program.exitStatus() != QProcess::NormalExit)
            return {};
        return {program.exitCode(), QString::fromUtf8(program.readAllStandardOutput()),
                QString::fromUtf8(program.readAllStandardError())};
    }

    Outcome run(const QStringList &arguments) const
    {
        QProcess program;
        start(program, arguments);
        return outcomeOf(program);
    }

    Outcome runOnFolder(const QStringList &arguments) const
    {
        return run(QStringList{QStringLiteral("--folder"), appFolder()} + arguments);
    }

    // Runs a shell's command line, as a user types it: "$0" is the program and
    // "$1" the test's folder; arguments may be bytes that printf writes.
    Outcome runInShell(const QString &command) const
    {
        QProcess shell;
        start(shell, {QStringLiteral("-c"), command, QStringLiteral(KSM_PROGRAM), root.path()},
              QStringLiteral("/bin/sh"));
        return outcomeOf(shell);
    }

    QString skin(const char *name) const { return skinsFolder() + u'/' + QString::fromUtf8(name); }
    QString activeSkin() const { return appFolder() + QStringLiteral("/Kelvora.rus"); }
    QString previousSkin() const { return activeSkin() + QStringLiteral(".bak"); }

    // Every file of the application folder and of its Skins folder, with its bytes.
    std::map<QString, QByteArray> everyFile() const
    {
        std::map<QString, QByteArray> files;
        for (const QString &folder : {appFolder(), skinsFolder()})
            for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
                files[folder + u'/' + name] = readFile(folder + u'/' + name);
        return files;
    }
};

TEST_F(CommandLineTest, VersionAndHelp)
{
    expectSuccess(run({QStringLiteral("--version")}),
                  QStringLiteral("Kelvora Skin Manager 1.0.4\n"));

    const Outcome help = run({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    for (const char *option : {"--folder <папка>", "--list", "--apply <имя>", "--history", "--undo",
                               "--delete <имя>", "--description <имя>", "--set <текст>", "«* »"})
        EXPECT_TRUE(help.out.contains(QString::fromUtf8(option))) << option;
    EXPECT_EQ(help.err, QString());
}

// Without --folder, from the program's folder, which is not the viewer's: the
// one installation that Wine holds, else a line that says how to name one.
TEST_F(CommandLineTest, WithoutFolderTakesTheOneInstallationWineHolds)
{
    const WinePrefixLayout prefixes(root.path());
    const QString installed =
        WinePrefixLayout::install(prefixes.namedPrefix(), "Program Files/Kelvora");
    writeFile(installed + QStringLiteral("/Skins/There.scn"), kRed);
    expectSuccess(run({QStringLiteral("--list")}), QStringLiteral("  There.scn\n"));

    WinePrefixLayout::install(prefixes.homePrefix(), "Program Files/Kelvora");
    expectFailure(run({QStringLiteral("--list")}),
                  QStringLiteral("Kelvora установлена в нескольких папках: «%1», ").arg(installed));

    writeFile(configFolder() + QStringLiteral("/Kelvora Skin Manager.conf"),
              "[Viewer]\nFolder=" + (root.path() + QStringLiteral("/gone")).toUtf8() + '\n');
    expectFailure(run({QStringLiteral("--list")}), QStringLiteral("/gone», выбранной раньше"));

    ASSERT_TRUE(QDir(root.path() + QStringLiteral("/home")).removeRecursively());
    ASSERT_TRUE(QDir(prefixes.namedPrefix()).removeRecursively());
    QFile::remove(configFolder() + QStringLiteral("/Kelvora Skin Manager.conf"));
    expectFailure(run({QStringLiteral("--list")}), QStringLiteral("Укажите её: --folder <папка>."));
}

// Each row: the active skin file, and the list printed.
TEST_F(CommandLineTest, ListMarksEverySkinWhoseBytesTheActiveFileHolds)
{
    writeFile(skin("blue-copy.scn"), kBlue);
    writeFile(skin(".hidden.scn"), kRed);
    const struct
    {
        std::optional<QByteArray> active;
        const char *listed;
    } cases[] = {
        {kRed, "  blue-copy.scn\n  Blue.scn\n* red.SCN\n  Зима.scn\n"},
        {kBlue, "* blue-copy.scn\n* Blue.scn\n  red.SCN\n  Зима.scn\n"},
        {kOldActive, "  blue-copy.scn\n  Blue.scn\n  red.SCN\n  Зима.scn\n"},
        {std::nullopt, "  blue-copy.scn\n  Blue.scn\n  red.SCN\n  Зима.scn\n"},
    };
    for (const auto &[active, listed] : cases) {
        SCOPED_TRACE(listed);
        QFile::remove(activeSkin());
        if (active)
            writeFile(activeSkin(), *active);
        expectSuccess(runOnFolder({QStringLiteral("--list")}), QString::fromUtf8(listed));
    }
}

TEST_F(CommandLineTest, ListWithoutTheSkinsFolderFails)
{
    ASSERT_TRUE(QDir(skinsFolder()).removeRecursively());

    expectFailure(runOnFolder({QStringLiteral("--list")}), skinsFolder());
}

// The skin names of --history, newest first, each line checked for its shape.
QStringList historyNames(const Outcome &listed)
{
    EXPECT_EQ(listed.exitCode, 0);
    EXPECT_EQ(listed.err, QString());
    static const QRegularExpression line(QStringLiteral(
        "^(\\d+) (\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d[+-]\\d\\d:\\d\\d) (.+)$"));
    QStringList names;
    for (const QString &text : listed.out.split(u'\n', Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch match = line.match(text);
        EXPECT_TRUE(match.hasMatch()) << text.toStdString();
        EXPECT_EQ(match.captured(1).toInt(), names.size() + 1);
        const QDateTime time = QDateTime::fromString(match.captured(2), Qt::ISODate);
        EXPECT_LE(qAbs(time.secsTo(QDateTime::currentDateTime())), 600) << text.toStdString();
        names << match.captured(3);
    }
    return names;
}

// --history numbers the entries from the newest; --undo N puts one back and
// --undo alone the newest, each keeping the skin it replaces.
TEST_F(CommandLineTest, HistoryListsTheReplacedSkinsAndUndoReturnsTheOneNamed)
{
    const QString unknown = QStringLiteral("неизвестный скин");
    expectSuccess(runOnFolder({QStringLiteral("--history")}));
    expectSuccess(runOnFolder({QStringLiteral("--apply"), QStringLiteral("Blue.scn")}));
    expectSuccess(runOnFolder({QStringLiteral("--apply"), QStringLiteral("red.SCN")}));
    EXPECT_EQ(historyNames(runOnFolder({QStringLiteral("--history")})),
              (QStringList{QStringLiteral("Blue.scn"), unknown}));

    expectSuccess(runOnFolder({QStringLiteral("--undo"), QStringLiteral("2")}));
    EXPECT_EQ(readFile(activeSkin()), kOldActive);
    expectSuccess(runOnFolder({QStringLiteral("--undo")}));
    EXPECT_EQ(readFile(activeSkin()), kRed);
    EXPECT_EQ(historyNames(runOnFolder({QStringLiteral("--history")})),
              (QStringList{unknown, QStringLiteral("red.SCN"), QStringLiteral("Blue.scn")}));
    expectFailure(runOnFolder({QStringLiteral("--undo"), QStringLiteral("5")}),
                  QStringLiteral("нет записи 5"));
    EXPECT_EQ(QDir(appFolder()).entryList(QDir::Files), QStringList{QStringLiteral("Kelvora.rus")});
}

// Two programs apply different skins at the same moment, round after round:
// neither fails, the active skin is one of the two, and the newest entry of
// the history is the other one, which the later apply replaced.
TEST_F(CommandLineTest, TwoProgramsApplyingAtOnceKeepWhatEachReplaced)
{
    for (int round = 0; round < 10; ++round) {
        SCOPED_TRACE(round);
        QProcess blue, red;
        start(blue, {QStringLiteral("--folder"), appFolder(), QStringLiteral("--apply"),
                     QStringLiteral("Blue.scn")});
        start(red, {QStringLiteral("--folder"), appFolder(), QStringLiteral("--apply"),
                    QStringLiteral("red.SCN")});
        for (const Outcome &run : {outcomeOf(blue), outcomeOf(red)}) {
            EXPECT_EQ(run.exitCode, 0);
            EXPECT_EQ(run.out, QString());
            // The one that finds the other at work says that it waits.
            EXPECT_TRUE(run.err.isEmpty() ||
                        run.err.startsWith(QStringLiteral("Скин применяет другая копия")))
                << run.err.toStdString();
        }

        const QByteArray active = readFile(activeSkin());
        const QStringList names = historyNames(runOnFolder({QStringLiteral("--history")}));
        ASSERT_FALSE(names.isEmpty());
        ASSERT_TRUE(active == kBlue || active == kRed);
        EXPECT_EQ(names.front(),
                  active == kBlue ? QStringLiteral("red.SCN") : QStringLiteral("Blue.scn"));
    }
}

// An apply of Blue.scn under settings: what it says, which file takes Blue's
// bytes, and whether the viewer starts.
struct ApplyCase
{
    const char *what;
    std::map<QString, QString> settings;
    QString said; // empty: success
    QString written;
    bool launched;
};

void PrintTo(const ApplyCase &row, std::ostream *out)
{
    *out << row.what;
}

class ApplySettingsTest : public CommandLineTest, public testing::WithParamInterface<ApplyCase>
{
};

TEST_P(ApplySettingsTest, ApplyHonoursTheSettings)
{
    const ApplyCase &row = GetParam();
    writeSettings(row.settings);
    const MarkerViewer viewer(appFolder());

    const Outcome apply = runOnFolder({QStringLiteral("--apply"), QStringLiteral("Blue.scn")});

    if (row.said.isEmpty())
        expectSuccess(apply);
    else
        expectFailure(apply, row.said);
    for (const QString &name : {QStringLiteral("Kelvora.rus"), QStringLiteral("Kelvora.ukr")})
        EXPECT_EQ(readFile(appFolder() + u'/' + name) == kBlue, name == row.written)
            << name.toStdString();
    if (row.launched)
        EXPECT_TRUE(viewer.startsWithin(10s));
    else
        EXPECT_FALSE(viewer.startsWithin(500ms));
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, ApplySettingsTest,
    testing::Values(ApplyCase{"no viewer to close", {}, {}, QStringLiteral("Kelvora.rus"), false},
                    ApplyCase{"another active skin file",
                              {{"KillKelvoraEnable", "0"}, {"SkinFileName", "Kelvora.ukr"}},
                              {},
                              QStringLiteral("Kelvora.ukr"),
                              false},
                    ApplyCase{"viewer started",
                              {{"KillKelvoraEnable", "0"}, {"RunKLVAfterApply", "1"}},
                              {},
                              QStringLiteral("Kelvora.rus"),
                              true},
                    ApplyCase{"active skin file outside the folder",
                              {{"KillKelvoraEnable", "0"}, {"SkinFileName", "../outside"}},
                              QStringLiteral("«../outside»"),
                              {},
                              false}));

TEST_F(CommandLineTest, UndoUnderAnUnfitActiveSkinFileNameSaysSo)
{
    writeSettings({{"KillKelvoraEnable", "0"}, {"SkinFileName", "../outside"}});

    expectFailure(runOnFolder({QStringLiteral("--undo")}), QStringLiteral("«../outside»"));
}

TEST_F(CommandLineTest, DeleteMovesTheSkinAndItsPreviewToTheTrash)
{
    expectSuccess(runOnFolder({QStringLiteral("--delete"), QStringLiteral("Blue.scn")}));

    EXPECT_EQ(QDir(skinsFolder()).entryList(QDir::Files),
              (QStringList{QStringLiteral("notes.txt"), QStringLiteral("red.SCN"),
                           QStringLiteral("Зима.scn")}));
    EXPECT_EQ(QDir(dataFolder() + QStringLiteral("/Trash/files")).entryList(QDir::Files),
              (QStringList{QStringLiteral("Blue.jpg"), QStringLiteral("Blue.scn")}));
}

// Each row: the skin file, and the line printed.
TEST_F(CommandLineTest, DescriptionPrintsTheTextAsFarAsItsFirstNulWithoutThePadding)
{
    const struct
    {
        QByteArray skin;
        const char *printed;
    } cases[] = {
        {skinBytes('b', ToAnsi(u"Голубое небо")), "Голубое небо\n"},
        {skinBytes('b', QByteArray("ab\0cd", 5)), "ab\n"},
        {skinBytes('b', "  indented"), "  indented\n"},
        {skinBytes('b'), "\n"},
        {QByteArray(100, 'b'), "\n"}, // ends before the field
    };
    for (const auto &[bytes, printed] : cases) {
        SCOPED_TRACE(printed);
        writeFile(skin("Blue.scn"), bytes);
        expectSuccess(runOnFolder({QStringLiteral("--description"), QStringLiteral("Blue.scn")}),
                      QString::fromUtf8(printed));
    }
}

TEST_F(CommandLineTest, SetWritesTheDescriptionAndNoOtherByte)
{
    const QString text = QStringLiteral("Новое описание");

    expectSuccess(runOnFolder({QStringLiteral("--description"), QStringLiteral("Blue.scn"),
                               QStringLiteral("--set"), text}));

    EXPECT_EQ(readFile(skin("Blue.scn")), skinBytes('b', ToAnsi(text)));
    expectSuccess(runOnFolder({QStringLiteral("--description"), QStringLiteral("Blue.scn")}),
                  text + u'\n');
}

// Each row: an action that cannot be done, and what its line names. Only
// what --list lists is a skin: no other file of the folder, no hidden file,
// no link that leads out of it, no name that leads out of it.
TEST_F(CommandLineTest, FailedActionsSayWhyAndChangeNothing)
{
    ASSERT_TRUE(QDir(skinsFolder()).mkdir(QStringLiteral("Folder.scn")));
    writeFile(skin(".hidden.scn"), kRed);
    writeFile(root.path() + QStringLiteral("/outside.scn"), kRed);
    ASSERT_TRUE(QFile::link(root.path() + QStringLiteral("/outside.scn"), skin("Outside.scn")));
    const std::map<QString, QByteArray> before = everyFile();
    const QString missing = QStringLiteral("Missing.scn");
    const auto set = [](const char *name) {
        return QStringList{QStringLiteral("--description"), QString::fromUtf8(name),
                           QStringLiteral("--set"), QStringLiteral("x")};
    };
    const struct
    {
        QStringList arguments;
        QString said;
    } cases[] = {
        {{QStringLiteral("--apply"), missing}, skin("Missing.scn")},
        {{QStringLiteral("--apply"), QStringLiteral("notes.txt")}, skin("notes.txt")},
        {{QStringLiteral("--apply"), QStringLiteral("../Blue.scn")}, skin("../Blue.scn")},
        {{QStringLiteral("--apply"), QStringLiteral(".hidden.scn")}, skin(".hidden.scn")},
        {{QStringLiteral("--delete"), QStringLiteral("Blue.jpg")}, skin("Blue.jpg")},
        {set("Blue.jpg"), skin("Blue.jpg")},
        {set("Outside.scn"), skin("Outside.scn")},
        {{QStringLiteral("--delete"), missing}, skin("Missing.scn")},
        {{QStringLiteral("--delete"), QStringLiteral("Folder.scn")}, skin("Folder.scn")},
        {{QStringLiteral("--description"), missing}, skin("Missing.scn")},
        {{QStringLiteral("--description"), missing, QStringLiteral("--set"), QStringLiteral("x")},
         skin("Missing.scn")},
        {{QStringLiteral("--undo")}, QStringLiteral("Вернуть нечего")},
        // Characters the description's code page has no byte for are never made "?".
        {{QStringLiteral("--description"), QStringLiteral("Blue.scn"), QStringLiteral("--set"),
          QStringLiteral("Снег ❄ и 中文 ❄")},
         QStringLiteral("«❄», «中», «文»")},
    };
    for (const auto &[arguments, said] : cases) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        expectFailure(runOnFolder(arguments), said);
        EXPECT_EQ(everyFile(), before);
    }
    EXPECT_EQ(readFile(root.path() + QStringLiteral("/outside.scn")), kRed);
}

// A name that is no UTF-8 text, or that holds a line break or a backslash, is
// printed on one line apart from every other name, and taken back as printed.
TEST_F(CommandLineTest, OddNamesArePrintedOnOneLineAndTakenBack)
{
    const std::filesystem::path skins = ToNativePath(skinsFolder());
    const std::string cp1251 = "\xCD\xEE\xF7\xFC.scn"; // "Ночь.scn", listed by its printed name
    for (const std::string &name : {cp1251, std::string("\uFFFD\uFFFD\uFFFD\uFFFD.scn"),
                                    std::string("line\nbreak.scn"), std::string("back\\slash.scn")})
        std::ofstream(skins / name, std::ios::binary) << skinBytes(name[0]).toStdString();

    expectSuccess(runOnFolder({QStringLiteral("--list")}),
                  QStringLiteral("  \\xCD\\xEE\\xF7\\xFC.scn\n  back\\\\slash.scn\n  Blue.scn\n"
                                 "  line\\x0Abreak.scn\n  red.SCN\n  Зима.scn\n  ����.scn\n"));

    expectSuccess(
        runOnFolder({QStringLiteral("--delete"), QStringLiteral("\\xCD\\xEE\\xF7\\xFC.scn")}));
    expectSuccess(runOnFolder({QStringLiteral("--apply"), QStringLiteral("line\\x0Abreak.scn")}));
    EXPECT_FALSE(std::filesystem::exists(skins / cp1251));
    EXPECT_TRUE(std::filesystem::exists(skins / "\uFFFD\uFFFD\uFFFD\uFFFD.scn"));
    EXPECT_EQ(readFile(activeSkin()), skinBytes('l'));
}

// A name given as its bytes, as a shell's completion types it, names that
// file, and no other skin through a decoding that loses the bytes. Each row:
// the name as printf writes it, and the filler of the skin applied (none: the
// name is refused).
TEST_F(CommandLineTest, NamesGivenAsBytesReachThatFileOnly)
{
    const std::filesystem::path skins = ToNativePath(skinsFolder());
    std::ofstream(skins / "\xFF-bad.scn", std::ios::binary) << skinBytes('f').toStdString();
    std::ofstream(skins / "\uFFFD-bad.scn", std::ios::binary) << skinBytes('u').toStdString();
    // A refusal names what was given as --list prints it, never with a
    // replacement character that would read as the other skin.
    const struct
    {
        const char *arguments;
        std::optional<char> applied;
        const char *said;
    } cases[] = {
        {"--apply \"$(printf '\\377-bad.scn')\"", 'f', nullptr},
        {"--apply '\\xFF-bad.scn'", 'f', nullptr}, // as --list prints it
        {"--apply \"$(printf '\\357\\277\\275-bad.scn')\"", 'u', nullptr},
        {"--apply \"$(printf '\\376-bad.scn')\"", std::nullopt, "Skins/\\xFE-bad.scn:"},
        {"--list \"$(printf '\\376')\"", std::nullopt, "«\\xFE»"},
        {"--undo \"$(printf '\\376')\"", std::nullopt, "«\\xFE»"},
        {"--list \"$(printf '%s\\376' --)\"", std::nullopt, "\\xFE"},
    };
    for (const auto &[arguments, applied, said] : cases) {
        SCOPED_TRACE(arguments);
        writeFile(activeSkin(), kOldActive);
        const Outcome apply = runInShell(
            QStringLiteral("exec \"$0\" --folder \"$1/app\" %1").arg(QLatin1StringView(arguments)));
        if (applied)
            expectSuccess(apply);
        else
            expectFailure(apply, QString::fromUtf8(said));
        EXPECT_FALSE(apply.err.contains(QChar::ReplacementCharacter));
        EXPECT_EQ(readFile(activeSkin()), applied ? skinBytes(*applied) : kOldActive);
    }
}

// The viewer's folder and the data folder named in Windows-1251, as on a
// Windows disk mounted on Linux: both are the folders used, byte for byte.
TEST_F(CommandLineTest, FoldersNamedInAnotherCodePageAreReached)
{
    const std::string folder = "\xCF\xE0\xEF\xEA\xE0"; // "Папка"
    const std::filesystem::path viewer = ToNativePath(root.path()) / folder;
    const std::filesystem::path data = ToNativePath(root.path()) / ("data-" + folder);
    std::filesystem::create_directories(viewer / "Skins");
    std::ofstream(viewer / "Skins" / "a.scn", std::ios::binary) << kBlue.toStdString();

    expectSuccess(runInShell(QStringLiteral(
        "name=$(printf '\\317\\340\\357\\352\\340'); exec env "
        "XDG_DATA_HOME=\"$1/data-$name\" \"$0\" --folder \"$1/$name\" --apply a.scn")));

    std::ifstream active(viewer / "Kelvora.rus", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(active), {}), kBlue.toStdString());
    EXPECT_TRUE(std::filesystem::is_directory(data / ToNativePath(kApplicationTitle) / "history"));
}

TEST_F(CommandLineTest, OutputThatCannotBeWrittenIsAFailure)
{
    expectFailure(runInShell(QStringLiteral("exec \"$0\" --folder \"$1/app\" --list >/dev/full")),
                  QStringLiteral("стандартный вывод: на диске нет места"));
}

// A start removes what a copy killed half-way left, and nothing else.
TEST_F(CommandLineTest, AStartRemovesTemporaryLeftovers)
{
    const std::map<QString, QByteArray> others = everyFile();
    writeFile(appFolder() + QStringLiteral("/.Kelvora.rus.ksm-a1B2c3.tmp"), "half a copy");

    expectSuccess(runOnFolder({QStringLiteral("--description"), QStringLiteral("red.SCN")}),
                  QStringLiteral("\n"));

    EXPECT_EQ(everyFile(), others);
}

// Each row: a use that the program refuses before doing anything, and what its
// line names.
// A skin shared with --export installs back with --import, preview and all;
// the console asks nothing, so a skin already there stays as it is.
TEST_F(CommandLineTest, ImportInstallsWhatExportWroteAndReplacesNothing)
{
    const QString zip = root.path() + QStringLiteral("/Blue.zip");
    const Outcome exported =
        runOnFolder({QStringLiteral("--export"), QStringLiteral("Blue.scn"), zip});
    ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    ASSERT_TRUE(QFile::remove(skin("Blue.scn")) && QFile::remove(skin("Blue.jpg")));

    const Outcome imported = runOnFolder({QStringLiteral("--import"), zip});
    EXPECT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    EXPECT_EQ(readFile(skin("Blue.scn")), kBlue);
    EXPECT_EQ(readFile(skin("Blue.jpg")), "picture");

    writeFile(skin("Blue.scn"), kRed);
    expectFailure(runOnFolder({QStringLiteral("--import"), zip}),
                  QStringLiteral("Blue.zip: Blue.scn: скин с этим именем уже есть, он не заменён"));
    EXPECT_EQ(readFile(skin("Blue.scn")), kRed);
}

TEST_F(CommandLineTest, WrongUsesSayWhyAndChangeNothing)
{
    const std::map<QString, QByteArray> before = everyFile();
    const struct
    {
        QStringList arguments;
        QString said;
    } cases[] = {
        {{QStringLiteral("--set"), QStringLiteral("x")}, QStringLiteral("--set")},
        {{QStringLiteral("--list"), QStringLiteral("--undo")}, QStringLiteral("--list, --undo")},
        {{QStringLiteral("--help"), QStringLiteral("--list")}, QStringLiteral("--help, --list")},
        {{QStringLiteral("--apply"), QStringLiteral("Blue.scn"), QStringLiteral("--apply"),
          QStringLiteral("red.SCN")},
         QStringLiteral("--apply, --apply")},
        {{QStringLiteral("--apply")}, QStringLiteral("apply")},
        {{QStringLiteral("--delete"), QString()}, QStringLiteral("Не указано имя скина")},
        {{QStringLiteral("--list"), QStringLiteral("--bogus")}, QStringLiteral("bogus")},
        {{QStringLiteral("--list"), QStringLiteral("extra")}, QStringLiteral("«extra»")},
        {{QStringLiteral("--history"), QStringLiteral("2")}, QStringLiteral("«2»")},
        {{QStringLiteral("--undo"), QStringLiteral("x")}, QStringLiteral("записи журнала «x»")},
        {{QStringLiteral("--undo"), QStringLiteral("0")}, QStringLiteral("записи журнала «0»")},
        {{QStringLiteral("--export"), QStringLiteral("Blue.scn")},
         QStringLiteral("один файл архива")},
        {{QStringLiteral("--import"), QStringLiteral("notes.txt")}, QStringLiteral("это не архив")},
    };
    for (const auto &[arguments, said] : cases) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        expectFailure(runOnFolder(arguments), said);
        EXPECT_EQ(everyFile(), before);
    }
    expectFailure(run({QStringLiteral("--folder"), QString(), QStringLiteral("--list")}),
                  QStringLiteral("Не указана папка"));
}

} // namespace
