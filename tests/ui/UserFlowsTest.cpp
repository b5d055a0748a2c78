// Each flow of the program, as a person goes through it in the main window.

#include "CommandLine.h"
#include "DialogChecks.h"
#include "frmAbout.h"
#include "frmCommentMenu.h"
#include "frmHistory.h"
#include "frmPref.h"
#include "MainWindowFixture.h"
#include "MarkerViewer.h"
#include "Module1.h"
#include "platform/FileLock.h"
#include "platform/WindowServices.h"
#include "SkinHistory.h"
#include "StandInViewer.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <thread>
#ifndef _WIN32
#include <xcb/xcb.h>
#endif

namespace {

using namespace std::chrono_literals;

const QString kChooseSkin = QStringLiteral("Выберите скин из списка!");

class UserFlowsTest : public MainWindowTest
{
protected:
    QString activeSkin() const { return appFolder() + QStringLiteral("/Kelvora.rus"); }

    QString stored(const char *key) const
    {
        return OpenUserSettings()
            ->value(QStringLiteral("Options/") + QLatin1StringView(key))
            .toString();
    }

    // In the preferences: a new file name and every box clicked once.
    static void changeEveryPreference(frmPref &dialog)
    {
        auto *fileName = dialog.findChild<QLineEdit *>(QStringLiteral("Text1"));
        fileName->selectAll();
        typeText(fileName, QStringLiteral("Другой.rus"));
        for (const char *box : {"Check1", "Check2", "Check3"})
            QTest::mouseClick(dialog.findChild<QCheckBox *>(QLatin1StringView(box)),
                              Qt::LeftButton);
    }

    static void click(QWidget &dialog, const char *button)
    {
        QTest::mouseClick(dialog.findChild<QPushButton *>(QLatin1StringView(button)),
                          Qt::LeftButton);
    }
};

TEST_F(UserFlowsTest, SelectingASkinShowsItsDescriptionAndPreview)
{
    addSkin(QStringLiteral("a.scn"), QStringLiteral("Красный"), Qt::red);
    open();

    clickSkin(QStringLiteral("a.scn"));

    EXPECT_TRUE(description().startsWith(QStringLiteral("Красный")));
    EXPECT_EQ(previewColour(), QColor(Qt::red));
}

TEST_F(UserFlowsTest, ApplyWithNothingSelectedSaysSoThenStartsTheViewer)
{
    storeSetting("KillKelvoraEnable", QStringLiteral("0"));
    storeSetting("RunKLVAfterApply", QStringLiteral("1"));
    writeFile(activeSkin(), "active");
    const MarkerViewer viewer(appFolder(), MarkerViewer::Placed::Later);
    open();
    QString message;
    AnswerNext<QMessageBox>([&](QMessageBox &box) {
        message = box.text();
        viewer.place();
        box.accept();
    });

    clickButton("btnApplySk");

    EXPECT_EQ(message, kChooseSkin);
    EXPECT_TRUE(viewer.startsWithin(10s));
    EXPECT_EQ(readFile(activeSkin()), "active");
}

TEST_F(UserFlowsTest, DeleteRemovesTheSkinAndItsPreview)
{
    addSkin(QStringLiteral("a.scn"), QStringLiteral("a"), Qt::green);
    addSkin(QStringLiteral("b.scn"), QStringLiteral("b"));
    open();
    clickSkin(QStringLiteral("a.scn"));

    andWaitForTheList([this] { clickButton("btnDelSkin"); });

    EXPECT_EQ(listed(), QStringList{QStringLiteral("b.scn")});
    EXPECT_FALSE(QFileInfo::exists(skinPath(QStringLiteral("a.scn"))));
    EXPECT_FALSE(QFileInfo::exists(previewPath(QStringLiteral("a.scn"))));
}

TEST_F(UserFlowsTest, PreferencesSavedWithOkCountFromTheNextApply)
{
    addSkin(QStringLiteral("a.scn"), QStringLiteral("a"));
    writeFile(activeSkin(), "active");
    const MarkerViewer viewer(appFolder());
    open();
    AnswerNext<frmPref>([](frmPref &dialog) {
        changeEveryPreference(dialog);
        click(dialog, "Command1");
    });

    clickButton("btnPref");

    EXPECT_EQ(stored("SkinFileName"), QStringLiteral("Другой.rus"));
    EXPECT_EQ(stored("RunKLVAfterApply"), QStringLiteral("1"));
    EXPECT_EQ(stored("ToolTipsEnable"), QStringLiteral("1"));
    EXPECT_EQ(stored("KillKelvoraEnable"), QStringLiteral("0"));

    clickSkin(QStringLiteral("a.scn"));
    clickButton("btnApplySk");
    EXPECT_EQ(readFile(appFolder() + QStringLiteral("/Другой.rus")),
              readFile(skinPath(QStringLiteral("a.scn"))));
    EXPECT_EQ(readFile(activeSkin()), "active");
    EXPECT_TRUE(viewer.startsWithin(10s));
}

TEST_F(UserFlowsTest, PreferencesLeftWithCancelChangeNothing)
{
    open();
    AnswerNext<frmPref>([](frmPref &dialog) {
        changeEveryPreference(dialog);
        click(dialog, "Command2");
    });

    clickButton("btnPref");

    EXPECT_TRUE(OpenUserSettings()->allKeys().isEmpty());
    EXPECT_EQ(Module1::SkinFileName, QStringLiteral("Kelvora.rus"));
    EXPECT_EQ(Module1::RunKLVAfterApply, QStringLiteral("0"));
    EXPECT_EQ(Module1::ToolTipsEnable, QStringLiteral("0"));
    EXPECT_EQ(Module1::KillKelvoraEnable, QStringLiteral("1"));
}

TEST_F(UserFlowsTest, AnEditedDescriptionShowsAtTheNextSelection)
{
    addSkin(QStringLiteral("a.scn"), QStringLiteral("old text"));
    addSkin(QStringLiteral("b.scn"), QStringLiteral("b"));
    open();
    clickSkin(QStringLiteral("a.scn"));
    AnswerNext<frmCommentMenu>([this](frmCommentMenu &editor) {
        AnswerNext<QFileDialog>([this](QFileDialog &chooser) {
            chooser.selectFile(skinPath(QStringLiteral("a.scn")));
            static_cast<QDialog &>(chooser).accept();
        });
        click(editor, "btnOpen");
        auto *text = editor.findChild<QPlainTextEdit *>(QStringLiteral("Text1"));
        text->selectAll();
        typeText(text, QStringLiteral("Новый текст"));
        click(editor, "BtnSave");
        click(editor, "btnCancel");
    });

    chooseMenuItem("mnuTools", "mnuDestEditor");

    EXPECT_TRUE(description().startsWith(QStringLiteral("old text")));
    clickSkin(QStringLiteral("b.scn"));
    clickSkin(QStringLiteral("a.scn"));
    EXPECT_TRUE(description().startsWith(QStringLiteral("Новый текст")));
}

TEST_F(UserFlowsTest, AboutOpensFromTheHelpMenuAndEnterClosesIt)
{
    open();
    QString caption;
    bool closedByEnter = false;
    AnswerNext<frmAbout>([&](frmAbout &about) {
        caption = about.windowTitle();
        QTest::keyClick(about.focusWidget(), Qt::Key_Return);
        closedByEnter = !about.isVisible();
        if (!closedByEnter)
            about.reject();
    });

    chooseMenuItem("mnuHelp", "mnuAbout");

    EXPECT_EQ(caption, QStringLiteral("О программе"));
    EXPECT_TRUE(closedByEnter);
}

TEST_F(UserFlowsTest, ExitFromTheFileMenuEndsTheProgram)
{
    open();
    QTimer::singleShot(0, [this] { chooseMenuItem("mnuFile", "mnuExit"); });
    QTimer::singleShot(10000, [] { QCoreApplication::exit(1); });
    // The application's own loop, as the program runs it; when it returns,
    // later event loops of the tests run again.
    EXPECT_EQ(QCoreApplication::exec(), 0);
}

#ifndef _WIN32 // the close requests of X11
// The program itself, on the X display, and a connection of the test's own to
// send it close requests as a session manager does.
class ProgramOnDisplayTest : public UserFlowsTest
{
protected:
    void SetUp() override
    {
        UserFlowsTest::SetUp();
        if (xcb_connection_has_error(x_.get()))
            GTEST_SKIP() << "no X server; ./test starts Xvfb for this test";
    }

    xcb_connection_t *x() const { return x_.get(); }
    xcb_window_t root() const { return xcb_setup_roots_iterator(xcb_get_setup(x())).data->root; }

    xcb_atom_t atom(const char *name) const
    {
        const std::unique_ptr<xcb_intern_atom_reply_t, void (*)(void *)> reply(
            xcb_intern_atom_reply(x(), xcb_intern_atom(x(), 0, strlen(name), name), nullptr), free);
        return reply->atom;
    }

    // The window property, as bytes; empty when there is none.
    QByteArray property(xcb_window_t window, const char *name, xcb_atom_t type) const
    {
        const std::unique_ptr<xcb_get_property_reply_t, void (*)(void *)> reply(
            xcb_get_property_reply(x(), xcb_get_property(x(), 0, window, atom(name), type, 0, 256),
                                   nullptr),
            free);
        if (!reply)
            return {};
        return QByteArray(static_cast<const char *>(xcb_get_property_value(reply.get())),
                          xcb_get_property_value_length(reply.get()));
    }

    void sendCloseRequest(xcb_window_t window) const
    {
        xcb_client_message_event_t request{};
        request.response_type = XCB_CLIENT_MESSAGE;
        request.format = 32;
        request.window = window;
        request.type = atom("WM_PROTOCOLS");
        request.data.data32[0] = atom("WM_DELETE_WINDOW");
        xcb_send_event(x(), 0, window, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char *>(&request));
        xcb_flush(x());
    }

    // The first window the program maps whose title is the program's; in the
    // events of the root, which the fixture's connection is asked to report.
    xcb_window_t nextMappedWindowOfTheProgram(std::chrono::milliseconds most) const
    {
        const QByteArray title = QByteArrayLiteral("Kelvora Skin Manager");
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < most.count()) {
            const std::unique_ptr<xcb_generic_event_t, void (*)(void *)> event(
                xcb_poll_for_event(x()), free);
            if (!event) {
                std::this_thread::sleep_for(1ms);
                continue;
            }
            if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY)
                continue;
            const auto window = reinterpret_cast<xcb_map_notify_event_t *>(event.get())->window;
            if (property(window, "WM_NAME", XCB_GET_PROPERTY_TYPE_ANY) == title)
                return window;
        }
        return 0;
    }

    void reportMapsBelowRoot() const
    {
        const uint32_t mapsBelowRoot = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(x(), root(), XCB_CW_EVENT_MASK, &mapsBelowRoot);
        xcb_flush(x());
    }

    // Gives the window the keyboard focus, as a click on it does, and presses
    // the key with this symbol there.
    void pressKey(xcb_window_t window, xcb_keysym_t symbol) const
    {
        xcb_set_input_focus(x(), XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
        const xcb_setup_t *setup = xcb_get_setup(x());
        const std::unique_ptr<xcb_get_keyboard_mapping_reply_t, void (*)(void *)> mapping(
            xcb_get_keyboard_mapping_reply(
                x(),
                xcb_get_keyboard_mapping(x(), setup->min_keycode,
                                         setup->max_keycode - setup->min_keycode + 1),
                nullptr),
            free);
        ASSERT_TRUE(mapping);
        const xcb_keysym_t *symbols = xcb_get_keyboard_mapping_keysyms(mapping.get());
        const int count = xcb_get_keyboard_mapping_keysyms_length(mapping.get());
        const auto found = std::find(symbols, symbols + count, symbol);
        ASSERT_NE(found, symbols + count) << "no key has the symbol " << symbol;
        const auto code =
            xcb_keycode_t(setup->min_keycode + (found - symbols) / mapping->keysyms_per_keycode);
        for (const uint8_t type : {XCB_KEY_PRESS, XCB_KEY_RELEASE}) {
            xcb_key_press_event_t key{};
            key.response_type = type;
            key.detail = code;
            key.time = XCB_CURRENT_TIME;
            key.root = root();
            key.event = window;
            key.same_screen = 1;
            xcb_send_event(x(), 0, window, XCB_EVENT_MASK_NO_EVENT,
                           reinterpret_cast<const char *>(&key));
        }
        xcb_flush(x());
    }

    void start(QProcess &program) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configFolder());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(KSM_PROGRAM), {QStringLiteral("--folder"), appFolder()});
    }

private:
    std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t *)> x_{
        xcb_connect(nullptr, nullptr), xcb_disconnect};
};

// A tool that finds the program by its title may meet the hidden leader of its
// windows, which bears the program's name: a close request sent there ends the
// program as one sent to the window does.
TEST_F(ProgramOnDisplayTest, ACloseRequestToTheLeaderOfTheWindowsEndsTheProgram)
{
    QProcess program;
    start(program);
    xcb_window_t leader = 0;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const auto window = static_cast<xcb_window_t>(
                platform::WindowServices().findTopLevelWindow("Kelvora Skin Manager"));
            const QByteArray value =
                window != 0 ? property(window, "WM_CLIENT_LEADER", XCB_ATOM_WINDOW) : QByteArray();
            if (value.size() == sizeof(xcb_window_t))
                memcpy(&leader, value.constData(), sizeof leader);
            return leader != 0;
        },
        20000));

    // Again until it ends: a request sent while the window is still being
    // made is not the one under test.
    for (int i = 0; i < 20 && program.state() != QProcess::NotRunning; ++i) {
        sendCloseRequest(leader);
        program.waitForFinished(500);
    }
    EXPECT_EQ(program.state(), QProcess::NotRunning) << "the request was ignored";
    program.kill();
    program.waitForFinished();
    EXPECT_EQ(program.exitCode(), 0);
}

// A session manager may ask the moment the main window appears: the request
// sent as the window is mapped, with no window manager between, ends the
// program every time.
TEST_F(ProgramOnDisplayTest, ACloseRequestAsTheWindowAppearsEndsTheProgram)
{
    reportMapsBelowRoot();
    int ignored = 0;
    for (int run = 0; run < 10; ++run) {
        QProcess program;
        start(program);
        const xcb_window_t window = nextMappedWindowOfTheProgram(20s);
        ASSERT_NE(window, 0u) << "the window never appeared";
        sendCloseRequest(window);
        if (!program.waitForFinished(5000))
            ++ignored;
        program.kill();
        program.waitForFinished();
    }
    EXPECT_EQ(ignored, 0) << "requests ignored in 10 runs";
}

// A close request that comes during a long step (here the wait for the
// history's lock, which another copy holds) ends the program once the step
// has ended, though a message follows the step.
TEST_F(ProgramOnDisplayTest, ACloseRequestDuringALongStepEndsTheProgramWhenTheStepEnds)
{
    const QString testName = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(kApplicationTitle); // the program's history
    const Result<std::filesystem::path> history = HistoryFolder();
    QCoreApplication::setApplicationName(testName);
    ASSERT_TRUE(history.ok());
    std::filesystem::create_directories(history.value);
    platform::Result<platform::FileLock> otherCopy =
        platform::lockExclusively(history.value / ".lock", 0ms);
    ASSERT_TRUE(otherCopy.ok() && otherCopy.value.held());
    reportMapsBelowRoot();
    QProcess program;
    start(program);
    const xcb_window_t window = nextMappedWindowOfTheProgram(20s);
    ASSERT_NE(window, 0u) << "the window never appeared";

    // Nothing is selected: once the lock is free, the apply says so.
    pressKey(window, 0xff0d); // Return, on the apply button, which has the focus
    ASSERT_NE(nextMappedWindowOfTheProgram(10s), 0u) << "the apply never waited";
    sendCloseRequest(window);
    std::this_thread::sleep_for(500ms);     // the request is taken during the step
    otherCopy.value = platform::FileLock(); // the other copy is done

    EXPECT_TRUE(program.waitForFinished(10000)) << "the program stayed";
    program.kill();
    program.waitForFinished();
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_TRUE(QString::fromLocal8Bit(program.readAllStandardError()).contains(kChooseSkin));
}
#endif

// With both viewer flags on: the running viewer is closed, the skin copied over
// the active skin, and the viewer of the application folder started again.
TEST_F(UserFlowsTest, ApplyClosesTheViewerCopiesTheSkinAndStartsTheViewer)
{
    if (!platform::WindowServices().connected())
        GTEST_SKIP() << "no X server; ./test starts Xvfb for this test";
    storeSetting("RunKLVAfterApply", QStringLiteral("1"));
    addSkin(QStringLiteral("Night.scn"), QStringLiteral("night"));
    writeFile(activeSkin(), "active");
    const QString executable = appFolder() + QStringLiteral("/Kelvora.exe");
    ASSERT_TRUE(QFile::copy(QStringLiteral(KSM_DEMO_VIEWER), executable));
    StandInViewer running;
    ASSERT_NE(running.window(), 0u);
    open();
    clickSkin(QStringLiteral("Night.scn"));
    // The viewer started again puts its window on the test's display.
    const QByteArray platformBefore = qgetenv("QT_QPA_PLATFORM");
    qputenv("QT_QPA_PLATFORM", "xcb");

    clickButton("btnApplySk");
    qputenv("QT_QPA_PLATFORM", platformBefore);

    EXPECT_TRUE(running.hasEnded());
    EXPECT_EQ(readFile(activeSkin()), readFile(skinPath(QStringLiteral("Night.scn"))));
    platform::ProcessId started = 0;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            const platform::WindowServices windows;
            started = windows.processIdOf(windows.findTopLevelWindow("Kelvora"));
            return started != 0;
        },
        20000));
    if (started != 0)
        StandInViewer::end(started);
}

// The names marked as holding the active skin's bytes: bold, behind the check mark.
QStringList marked(const QAbstractItemModel &model)
{
    QStringList names;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex index = model.index(row, 0);
        if (index.data(Qt::FontRole).value<QFont>().bold())
            names << index.data().toString();
    }
    return names;
}

TEST_F(UserFlowsTest, TheMarkFollowsEachApplyAndUndo)
{
    storeSetting("KillKelvoraEnable", QStringLiteral("0"));
    addSkin(QStringLiteral("a.scn"), QStringLiteral("a"));
    addSkin(QStringLiteral("b.scn"), QStringLiteral("b"));
    writeFile(activeSkin(), readFile(skinPath(QStringLiteral("b.scn"))));
    open();
    const QAbstractItemModel &model = *child<QListView>("File1")->model();
    EXPECT_EQ(marked(model), QStringList{QStringLiteral("b.scn")});
    EXPECT_FALSE(child<QAction>("undoApplyAction")->isEnabled());

    clickSkin(QStringLiteral("a.scn"));
    clickButton("btnApplySk");
    EXPECT_EQ(marked(model), QStringList{QStringLiteral("a.scn")}) << "not at once";

    andWaitForTheList([this] { chooseMenuItem("mnuTools", "undoApplyAction"); });
    EXPECT_EQ(marked(model), QStringList{QStringLiteral("b.scn")});
    EXPECT_EQ(readFile(activeSkin()), readFile(skinPath(QStringLiteral("b.scn"))));
}

// Another active skin file named in the preferences moves the mark to its skin
// as soon as they are saved, before any apply.
TEST_F(UserFlowsTest, TheMarkFollowsTheActiveSkinFileNamedInThePreferences)
{
    addSkin(QStringLiteral("a.scn"), QStringLiteral("a"));
    addSkin(QStringLiteral("b.scn"), QStringLiteral("b"));
    writeFile(activeSkin(), readFile(skinPath(QStringLiteral("a.scn"))));
    writeFile(appFolder() + QStringLiteral("/Другой.rus"),
              readFile(skinPath(QStringLiteral("b.scn"))));
    open();
    const QAbstractItemModel &model = *child<QListView>("File1")->model();
    EXPECT_EQ(marked(model), QStringList{QStringLiteral("a.scn")});
    AnswerNext<frmPref>([](frmPref &dialog) {
        auto *fileName = dialog.findChild<QLineEdit *>(QStringLiteral("Text1"));
        fileName->selectAll();
        typeText(fileName, QStringLiteral("Другой.rus"));
        click(dialog, "Command1");
    });

    andWaitForTheList([this] { clickButton("btnPref"); });

    EXPECT_EQ(marked(model), QStringList{QStringLiteral("b.scn")});
}

// Two applies, then the history window: its entries newest first, the chosen
// one's preview, and "Вернуть" puts that skin back and marks it.
TEST_F(UserFlowsTest, TheHistoryWindowPutsBackTheChosenEntry)
{
    storeSetting("KillKelvoraEnable", QStringLiteral("0"));
    addSkin(QStringLiteral("a.scn"), QStringLiteral("a"));
    addSkin(QStringLiteral("b.scn"), QStringLiteral("b"), Qt::red);
    addSkin(QStringLiteral("c.scn"), QStringLiteral("c"));
    writeFile(activeSkin(), readFile(skinPath(QStringLiteral("b.scn"))));
    open();
    for (const QString &name : {QStringLiteral("a.scn"), QStringLiteral("c.scn")}) {
        clickSkin(name);
        andWaitForTheList([this] { clickButton("btnApplySk"); });
    }

    QStringList shown;
    QColor preview;
    AnswerNext<frmHistory>([&](frmHistory &dialog) {
        ExpectFixedDialog(dialog, QStringLiteral("Журнал скинов"), TwipsSize(9015, 4515));
        auto *entries = dialog.findChild<QTreeWidget *>(QStringLiteral("entryList"));
        for (int row = 0; row < entries->topLevelItemCount(); ++row)
            shown << entries->topLevelItem(row)->text(1);
        QTest::mouseClick(entries->viewport(), Qt::LeftButton, {},
                          entries->visualItemRect(entries->topLevelItem(1)).center());
        const QPixmap picture = dialog.findChild<QLabel *>(QStringLiteral("preview"))->pixmap();
        if (!picture.isNull())
            preview = picture.toImage().pixelColor(5, 5);
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("returnButton")),
                          Qt::LeftButton);
    });
    andWaitForTheList([this] { chooseMenuItem("mnuTools", "historyAction"); });

    EXPECT_EQ(shown, (QStringList{QStringLiteral("a.scn"), QStringLiteral("b.scn")}));
    EXPECT_GT(preview.red(), 200);
    EXPECT_EQ(readFile(activeSkin()), readFile(skinPath(QStringLiteral("b.scn"))));
    EXPECT_EQ(marked(*child<QListView>("File1")->model()), QStringList{QStringLiteral("b.scn")});
}

// Another program adds a skin: it shows without a restart, and the selected
// skin stays selected with its description.
TEST_F(UserFlowsTest, ASkinAddedByAnotherProgramShowsUp)
{
    addSkin(QStringLiteral("a.scn"), QStringLiteral("a"));
    open();
    clickSkin(QStringLiteral("a.scn"));

    andWaitForTheList([this] { writeFile(skinPath(QStringLiteral("new.scn")), "new"); });

    EXPECT_EQ(listed(), (QStringList{QStringLiteral("a.scn"), QStringLiteral("new.scn")}));
    EXPECT_EQ(child<QListView>("File1")->currentIndex().data().toString(), QStringLiteral("a.scn"));
    EXPECT_TRUE(description().startsWith(QStringLiteral("a")));
}

// Another program renames the Skins folder away, then puts a new one in its
// place: the list follows both, though the system still watches the old one.
TEST_F(UserFlowsTest, ASkinsFolderRenamedAwayAndPutBackAnewIsFollowed)
{
    addSkin(QStringLiteral("a.scn"), QStringLiteral("a"));
    open();
    const QString skins = QFileInfo(skinPath(QStringLiteral("a.scn"))).path();
    andWaitForTheList([&] { ASSERT_TRUE(QDir().rename(skins, skins + QStringLiteral(".old"))); });
    EXPECT_EQ(listed(), QStringList{});

    const QString made = skins + QStringLiteral(".new");
    ASSERT_TRUE(QDir().mkdir(made));
    writeFile(made + QStringLiteral("/b.scn"), "b");
    andWaitForTheList([&] { ASSERT_TRUE(QDir().rename(made, skins)); });
    EXPECT_EQ(listed(), QStringList{QStringLiteral("b.scn")});
}

// Files dropped from a file manager: a skin comes with its preview, a name
// that is there already only when the user agrees, and other files not at all.
TEST_F(UserFlowsTest, DroppedSkinsAreAddedAskedAboutOrRefused)
{
    addSkin(QStringLiteral("kept.scn"), QStringLiteral("kept"));
    const QString outside = root.path() + QStringLiteral("/Загрузки");
    ASSERT_TRUE(QDir().mkpath(outside));
    writeFile(outside + QStringLiteral("/kept.scn"), "other bytes");
    writeFile(outside + QStringLiteral("/Новый.scn"), QByteArray(900, 'n'));
    QImage(8, 8, QImage::Format_RGB32).save(outside + QStringLiteral("/Новый.jpg"), "JPEG");
    writeFile(outside + QStringLiteral("/notes.txt"), "text");
#ifndef _WIN32 // Windows has no named pipes among files
    ASSERT_EQ(::mkfifo(QFile::encodeName(outside + QStringLiteral("/pipe.scn")), 0600), 0);
#endif
    open();
    QString question;
    QStringList buttons;
    AnswerNext<QMessageBox>([&](QMessageBox &box) {
        question = box.text();
        for (const QMessageBox::StandardButton button : {QMessageBox::Yes, QMessageBox::No})
            buttons << box.button(button)->text().remove(u'&');
        box.done(QMessageBox::No);
    });
    QString refusal;
    AnswerNext<QMessageBox>([&](QMessageBox &box) {
        refusal = box.text();
        box.accept();
    });

    ASSERT_TRUE(
        dropFiles(child<QListView>("File1")->viewport(),
                  {outside + QStringLiteral("/kept.scn"), outside + QStringLiteral("/Новый.scn"),
                   outside + QStringLiteral("/notes.txt"), outside + QStringLiteral("/pipe.scn")}));

    EXPECT_TRUE(question.contains(QStringLiteral("kept.scn")));
    EXPECT_EQ(buttons, (QStringList{QStringLiteral("Да"), QStringLiteral("Нет")}));
    EXPECT_TRUE(refusal.contains(QStringLiteral("notes.txt")));
    EXPECT_FALSE(refusal.contains(QStringLiteral("Новый")));
#ifndef _WIN32
    EXPECT_TRUE(refusal.contains(QStringLiteral("pipe.scn: это именованный канал")));
#endif
    EXPECT_EQ(readFile(skinPath(QStringLiteral("kept.scn"))).size(), 1000);
    EXPECT_EQ(readFile(skinPath(QStringLiteral("Новый.scn"))), QByteArray(900, 'n'));
    EXPECT_TRUE(QFileInfo::exists(previewPath(QStringLiteral("Новый.scn"))));
    EXPECT_EQ(listed(), (QStringList{QStringLiteral("kept.scn"), QStringLiteral("Новый.scn")}));
    EXPECT_EQ(child<QListView>("File1")->currentIndex().data().toString(),
              QStringLiteral("Новый.scn"));
    EXPECT_EQ(previewColour(), QColor(Qt::black));
}

// A skin given to the program to open, as a file manager's "Open with"
// passes it, is added as a dropped one: asked about, as its name is taken, and
// then selected.
TEST_F(UserFlowsTest, ASkinGivenToOpenIsAddedAndSelected)
{
    addSkin(QStringLiteral("Зима.scn"), QStringLiteral("old"));
    const QString given = root.path() + QStringLiteral("/Зима.scn");
    writeFile(given, QByteArray(1200, 'w'));
    const CommandLine line = ParseCommandLine({QStringLiteral("KelvoraSkinManager"), given});
    ASSERT_EQ(line.request, CommandLine::Request::Window);
    open();
    AnswerNext<QMessageBox>([](QMessageBox &box) { box.done(QMessageBox::Yes); });

    andWaitForTheList([&] { window->addSkinFiles(line.files); });

    EXPECT_EQ(readFile(skinPath(QStringLiteral("Зима.scn"))), QByteArray(1200, 'w'));
    EXPECT_EQ(child<QListView>("File1")->currentIndex().data().toString(),
              QStringLiteral("Зима.scn"));
}

#ifndef _WIN32
// A file whose name is no text is the one added, not the file that its decoded
// name (with a replacement character) would lead to.
TEST_F(UserFlowsTest, ASkinGivenByItsBytesIsThatFile)
{
    open();
    const std::string folder = root.path().toStdString();
    const std::string given = folder + "/\xFF-bad.scn";
    std::ofstream(given, std::ios::binary) << std::string(700, 'b');
    std::ofstream(folder + "/\xEF\xBF\xBD-bad.scn", std::ios::binary) << std::string(700, 'r');
    char program[] = "KelvoraSkinManager";
    std::string argument = given;
    char *argv[] = {program, argument.data()};
    const CommandLine line = ParseCommandLine(ProgramArguments(2, argv));

    andWaitForTheList([&] { window->addSkinFiles(line.files); });

    std::ifstream added(SkinFilePath("\xFF-bad.scn"), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(added), {}), std::string(700, 'b'));
    EXPECT_FALSE(std::filesystem::exists(SkinFilePath("\xEF\xBF\xBD-bad.scn")));
}
#endif

} // namespace
