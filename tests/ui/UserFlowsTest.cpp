// Each flow of the program, as a person goes through it in the main window.

#include "frmAbout.h"
#include "frmCommentMenu.h"
#include "frmPref.h"
#include "MainWindowFixture.h"
#include "MarkerViewer.h"
#include "Module1.h"
#include "platform/WindowServices.h"
#include "StandInViewer.h"

#include <QCheckBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

#include <csignal>

namespace {

using namespace std::chrono_literals;

const QString kChooseSkin = QStringLiteral("Выберите скин из списка!");

class UserFlowsTest : public MainWindowTest
{
protected:
    QString activeSkin() const { return appFolder() + QStringLiteral("/Kelvora.rus"); }

    QString stored(const char *key) const
    {
        return QSettings(storeFile(), QSettings::IniFormat)
            .value(QStringLiteral("Options/") + QLatin1StringView(key))
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

    clickButton("btnDelSkin");

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

    EXPECT_FALSE(QFileInfo::exists(storeFile()));
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
    QEventLoop program;
    QTimer::singleShot(0, [this] { chooseMenuItem("mnuFile", "mnuExit"); });
    QTimer::singleShot(10000, &program, [&program] { program.exit(1); });
    EXPECT_EQ(program.exec(), 0);
}

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
        ::kill(static_cast<pid_t>(started), SIGKILL);
}

} // namespace
