#include "cToolTipEx.h"
#include "frmViewerFolder.h"
#include "MainWindowFixture.h"
#include "Settings.h"
#include "Twips.h"
#include "ViewerFolderChoice.h"
#include "WinePrefixLayout.h"

#include <QFileDialog>
#include <QGroupBox>
#include <QListWidget>
#include <QSemaphore>
#include <QThreadPool>
#include <QTimer>

namespace {

using frmMainTest = MainWindowTest;

TEST_F(frmMainTest, StartsWithTheListAndNothingSelected)
{
    addSkin(QStringLiteral("b.scn"), QStringLiteral("B"));
    addSkin(QStringLiteral("A.scn"), QStringLiteral("A"));
    open();

    EXPECT_EQ(listed(), (QStringList{QStringLiteral("A.scn"), QStringLiteral("b.scn")}));
    EXPECT_TRUE(nothingSelected());
    EXPECT_TRUE(child<QLabel>("Label1")->text().isEmpty());
    EXPECT_TRUE(child<QLabel>("Image1")->pixmap().isNull());
    EXPECT_EQ(QApplication::focusWidget(), child<QPushButton>("btnApplySk"));
}

TEST_F(frmMainTest, SelectionShowsDescriptionAndKeepsTheLastPictureThatLoaded)
{
    addSkin(QStringLiteral("a.scn"), QStringLiteral("first skin"), Qt::red);
    addSkin(QStringLiteral("b.scn"), QStringLiteral("no preview"));
    addSkin(QStringLiteral("c.scn"), QStringLiteral("broken preview"));
    writeFile(previewPath(QStringLiteral("c.scn")), "not a picture");
    open();
    auto *description = child<QLabel>("Label1");

    clickSkin(QStringLiteral("a.scn"));
    EXPECT_EQ(description->text(), QStringLiteral("first skin") + QString(245, u' '));
    EXPECT_EQ(shownPicture(), pictureOf(QStringLiteral("a.scn")));
    EXPECT_EQ(previewColour(), QColor(Qt::red));
    EXPECT_EQ(child<QLabel>("Image1")->size(), previewSize); // natural size

    clickSkin(QStringLiteral("b.scn"));
    EXPECT_TRUE(description->text().startsWith(QStringLiteral("no preview")));
    EXPECT_EQ(shownPicture(), pictureOf(QStringLiteral("a.scn")));
    EXPECT_EQ(previewColour(), QColor(Qt::red));

    clickSkin(QStringLiteral("c.scn"));
    EXPECT_TRUE(description->text().startsWith(QStringLiteral("broken preview")));
    EXPECT_EQ(shownPicture(), pictureOf(QStringLiteral("a.scn")));
    EXPECT_EQ(previewColour(), QColor(Qt::red));
}

TEST_F(frmMainTest, ArrowKeysSelectToo)
{
    addSkin(QStringLiteral("a.scn"), QStringLiteral("first"));
    addSkin(QStringLiteral("b.scn"), QStringLiteral("second"));
    open();
    clickSkin(QStringLiteral("a.scn"));
    QTest::keyClick(child<QListView>("File1"), Qt::Key_Down);
    EXPECT_TRUE(child<QLabel>("Label1")->text().startsWith(QStringLiteral("second")));
}

TEST_F(frmMainTest, DescriptionStopsAtTheFirstNul)
{
    QByteArray bytes(836, '\0');
    bytes.replace(581, 5, "short");
    writeFile(skinPath(QStringLiteral("n.scn")), bytes);
    open();
    clickSkin(QStringLiteral("n.scn"));
    EXPECT_EQ(child<QLabel>("Label1")->text(), QStringLiteral("short"));
}

TEST_F(frmMainTest, UnreadableSkinIsReportedAndChangesNothing)
{
    addSkin(QStringLiteral("a.scn"), QStringLiteral("first"), Qt::blue);
    addSkin(QStringLiteral("b.scn"), QStringLiteral("second"));
    open();
    clickSkin(QStringLiteral("a.scn"));
    // A skin that turns into a folder after the list was read cannot be opened.
    ASSERT_TRUE(QFile::remove(skinPath(QStringLiteral("b.scn"))));
    ASSERT_TRUE(QDir(skinsFolder()).mkdir(QStringLiteral("b.scn")));

    MessageBoxCatcher messages;
    clickSkin(QStringLiteral("b.scn"));
    ASSERT_EQ(messages.seen.size(), 1);
    EXPECT_TRUE(messages.seen[0].text.contains(
        QDir::toNativeSeparators(skinPath(QStringLiteral("b.scn")))));
    EXPECT_TRUE(child<QLabel>("Label1")->text().startsWith(QStringLiteral("first")));
    EXPECT_EQ(shownPicture(), pictureOf(QStringLiteral("a.scn")));
    EXPECT_EQ(previewColour(), QColor(Qt::blue));
}

TEST_F(frmMainTest, MissingSkinsFolderOpensAnEmptyListAndNamesTheFolder)
{
    ASSERT_TRUE(QDir(skinsFolder()).removeRecursively());
    MessageBoxCatcher messages;
    open(false);
    QTRY_COMPARE(messages.seen.size(), 1);
    EXPECT_TRUE(messages.seen[0].text.contains(QDir::toNativeSeparators(text(SkinsFolderPath()))));
    EXPECT_EQ(messages.seen[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(listed().isEmpty());
}

TEST_F(frmMainTest, DeletingTheSelectedSkinKeepsDescriptionAndPicture)
{
    addSkin(QStringLiteral("a.scn"), QStringLiteral("doomed"), Qt::green);
    addSkin(QStringLiteral("b.scn"), QStringLiteral("kept"));
    open();
    clickSkin(QStringLiteral("a.scn"));
    const QImage doomedPicture = pictureOf(QStringLiteral("a.scn"));
    ASSERT_FALSE(doomedPicture.isNull());
    andWaitForTheList([this] {
        clickButton("btnDelSkin");
        // Gone at once, before the folder is read again.
        EXPECT_EQ(listed(), QStringList{QStringLiteral("b.scn")});
    });

    EXPECT_EQ(listed(), QStringList{QStringLiteral("b.scn")});
    EXPECT_TRUE(nothingSelected());
    EXPECT_TRUE(child<QLabel>("Label1")->text().startsWith(QStringLiteral("doomed")));
    EXPECT_EQ(previewColour(), QColor(Qt::green));
    EXPECT_EQ(shownPicture(), doomedPicture);
    EXPECT_FALSE(QFileInfo::exists(skinPath(QStringLiteral("a.scn"))));
}

TEST_F(frmMainTest, EnterRightAfterStartAppliesNothingAndSaysSo)
{
    storeSetting("KillKelvoraEnable", QStringLiteral("0"));
    addSkin(QStringLiteral("a.scn"), QStringLiteral("a"));
    open();
    MessageBoxCatcher messages;
    QTest::keyClick(window->focusWidget(), Qt::Key_Return);
    ASSERT_EQ(messages.seen.size(), 1);
    EXPECT_EQ(messages.seen[0].text, QStringLiteral("Выберите скин из списка!"));
    EXPECT_EQ(messages.seen[0].caption, QStringLiteral("Kelvora Skin Manager"));
    EXPECT_EQ(messages.seen[0].icon, QMessageBox::Information);

    QTest::keyClick(window->focusWidget(), Qt::Key_Escape); // does nothing
    EXPECT_TRUE(window->isVisible());
}

// Each value in a program of its own: a program opens one main window, and
// under Wine only the first window of a process shows.
struct ToolTipFlag
{
    const char *value;
    qint16 tips;
};

class frmMainToolTipTest : public MainWindowTest, public testing::WithParamInterface<ToolTipFlag>
{
};

TEST_P(frmMainToolTipTest, ToolTipsExactlyWhenTheFlagIsOne)
{
    storeSetting("ToolTipsEnable", QString::fromLatin1(GetParam().value));
    open();
    EXPECT_EQ(window->toolTips().ToolTipCount(), GetParam().tips);
    window->close();
    EXPECT_EQ(window->toolTips().ToolTipCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Flags, frmMainToolTipTest,
                         testing::Values(ToolTipFlag{"1", 4}, ToolTipFlag{"0", 0},
                                         ToolTipFlag{"2", 0}));

TEST_F(frmMainTest, ClosesWithoutToolTips)
{
    open();
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());
}

#ifndef _WIN32 // Windows looks for the viewer in the program's own folder only
// Started where the viewer is not, the program asks among what Wine holds
// before its window opens, and asks no more once the answer is remembered.
TEST_F(frmMainTest, StartOutsideTheViewerAsksOnceAmongTheInstallations)
{
    const WinePrefixLayout prefixes(root.path());
    const QString installed =
        WinePrefixLayout::install(prefixes.namedPrefix(), "Program Files/Kelvora");
    AnswerNext<frmViewerFolder>([&](frmViewerFolder &dialog) {
        EXPECT_TRUE(dialog.findChild<QLabel *>(QStringLiteral("introLabel"))
                        ->text()
                        .startsWith(QStringLiteral("Kelvora найдена в этих папках.")));
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("okButton")),
                          Qt::LeftButton);
    });
    EXPECT_EQ(ViewerFolderForWindow({}), ToNativePath(installed));
    EXPECT_EQ(ViewerFolderForWindow({}), ToNativePath(installed));
}

// A folder named in Windows-1251 comes back from the file dialog with
// replacement characters: the program says so and names --folder, and never
// takes the folder that those characters name.
TEST_F(frmMainTest, BrowsingToAFolderNamedInOtherBytesSaysToNameItWithTheFolderOption)
{
    const std::filesystem::path named = ToNativePath(root.path()) / std::string("\xCF\xE0\xEF");
    ASSERT_TRUE(std::filesystem::create_directories(named / "Skins"));
    const QString decoded = root.path() + QStringLiteral("/\uFFFD\uFFFD\uFFFD");
    ASSERT_TRUE(QDir().mkpath(decoded + QStringLiteral("/Skins")));
    MessageBoxCatcher messages;
    AnswerNext<frmViewerFolder>([&](frmViewerFolder &dialog) {
        AnswerNext<QFileDialog>([&](QFileDialog &chooser) {
            chooser.selectFile(decoded);
            static_cast<QDialog &>(chooser).accept();
        });
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("browseButton")),
                          Qt::LeftButton);
        EXPECT_FALSE(dialog.result() == QDialog::Accepted);
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("cancelButton")),
                          Qt::LeftButton);
    });

    EXPECT_EQ(ViewerFolderForWindow({}), std::nullopt);
    ASSERT_EQ(messages.seen.size(), 1);
    EXPECT_TRUE(messages.seen[0].text.contains(QStringLiteral("не в UTF-8")));
    EXPECT_TRUE(messages.seen[0].text.contains(QStringLiteral("--folder")));
}

// A remembered folder of a long path that holds the viewer no more: the
// question shows its whole text above the list, and its buttons.
TEST_F(frmMainTest, ViewerFolderQuestionShowsAllOfItsTextForALongPath)
{
    const WinePrefixLayout prefixes(root.path());
    WinePrefixLayout::install(prefixes.namedPrefix(), "Program Files/Kelvora");
    QString gone = root.path() + QStringLiteral("/drive_c/Program Files (x86)");
    while (gone.size() < 105)
        gone += QStringLiteral("/Kelvora TV");
    gone.truncate(105);
    ASSERT_FALSE(RememberViewerFolder(ToNativePath(gone)));

    AnswerNext<frmViewerFolder>([&](frmViewerFolder &dialog) {
        const auto *intro = dialog.findChild<QLabel *>(QStringLiteral("introLabel"));
        EXPECT_TRUE(intro->text().endsWith(QStringLiteral("кнопкой «Обзор…».")));
        EXPECT_LE(intro->heightForWidth(intro->width()), intro->height());
        EXPECT_LE(intro->geometry().bottom(),
                  dialog.findChild<QListWidget *>(QStringLiteral("folderList"))->y());
        auto *cancel = dialog.findChild<QPushButton *>(QStringLiteral("cancelButton"));
        EXPECT_TRUE(dialog.rect().contains(cancel->geometry()));
        QTest::mouseClick(cancel, Qt::LeftButton);
    });
    EXPECT_EQ(ViewerFolderForWindow({}), std::nullopt);
}

// "Файл → Папка Kelvora…" lists the folder in use, selected, and the
// installations Wine holds; the one chosen is listed and remembered.
TEST_F(frmMainTest, ViewerFolderMenuMovesToTheChosenInstallation)
{
    addSkin(QStringLiteral("Here.scn"), QStringLiteral("H"));
    open();
    clickSkin(QStringLiteral("Here.scn"));
    const WinePrefixLayout prefixes(root.path());
    const QString installed =
        WinePrefixLayout::install(prefixes.namedPrefix(), "Program Files/Kelvora");
    writeFile(installed + QStringLiteral("/Skins/There.scn"), QByteArray(1000, 't'));

    AnswerNext<frmViewerFolder>([&](frmViewerFolder &dialog) {
        auto *folders = dialog.findChild<QListWidget *>(QStringLiteral("folderList"));
        ASSERT_EQ(folders->count(), 2);
        EXPECT_EQ(folders->currentItem()->text(), appFolder());
        EXPECT_EQ(folders->item(1)->text(), installed);
        folders->setCurrentRow(1);
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("okButton")),
                          Qt::LeftButton);
    });
    andWaitForTheList([this] { chooseMenuItem("mnuFile", "viewerFolderAction"); });

    EXPECT_EQ(listed(), QStringList{QStringLiteral("There.scn")});
    EXPECT_TRUE(description().isEmpty());
    EXPECT_EQ(RememberedViewerFolder(), ToNativePath(installed));
    EXPECT_EQ(child<QMenu>("mnuFile")->actions().constLast(), child<QAction>("mnuExit"));
}
#endif

// A read asked for just before the folder changes runs after the change (every
// thread of the shared pool is held meanwhile): it reads the folder it was
// asked for, and that read, of a folder left, never reaches the list.
TEST_F(frmMainTest, AReadOfTheFolderLeftIsNeverShown)
{
    addSkin(QStringLiteral("Here.scn"), QStringLiteral("H"));
    open();
    const QString other = root.path() + QStringLiteral("/other");
    ASSERT_TRUE(QDir(other).mkpath(QStringLiteral("Skins")));
    writeFile(other + QStringLiteral("/Skins/There.scn"), QByteArray(1000, 't'));

    QThreadPool &shared = *QThreadPool::globalInstance();
    QSemaphore held;
    QSemaphore released;
    for (int i = 0; i < shared.maxThreadCount(); ++i)
        shared.start([&] {
            held.release();
            released.acquire();
        });
    held.acquire(shared.maxThreadCount());
    QSignalSpy shown(list(), &SkinList::listed);
    list()->reread(SkinList::Selection::Keep);
    QCoreApplication::processEvents(); // the read starts and waits for a thread
    ASSERT_FALSE(UseApplicationFolder(ToNativePath(other)));
    released.release(shared.maxThreadCount());
    shared.waitForDone();
    QCoreApplication::processEvents();

    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(listed(), QStringList{QStringLiteral("Here.scn")});
    andWaitForTheList([this] { list()->reread(SkinList::Selection::Clear); });
    EXPECT_EQ(listed(), QStringList{QStringLiteral("There.scn")});
}

TEST_F(frmMainTest, ExitEndsTheProgramWithoutTheCloseHandler)
{
    storeSetting("ToolTipsEnable", QStringLiteral("1"));
    open();
    // The application's own loop, as in the program: an exit outside it would
    // leave every later loop of the test program ending at once.
    QTimer::singleShot(0, [this] { child<QAction>("mnuExit")->trigger(); });
    QTimer fallback;
    fallback.callOnTimeout([] { QCoreApplication::exit(1); });
    fallback.start(10000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_EQ(window->toolTips().ToolTipCount(), 4); // the close handler would have destroyed them
}

TEST_F(frmMainTest, LayoutFollowsTheDesign)
{
    open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Kelvora Skin Manager"));
    EXPECT_EQ(window->centralWidget()->size(), QSize(793, 307));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMinMaxButtonsHint);

    const struct
    {
        const char *name;
        QRect geometry;
    } controls[] = {
        {"Frame1", TwipsRect(120, 240, 5535, 3735)},
        {"Frame2", TwipsRect(5760, 240, 6015, 2175)},
        {"Frame3", TwipsRect(5760, 2400, 6015, 1575)},
        {"btnApplySk", TwipsRect(240, 4080, 2175, 375)},
        {"btnDelSkin", TwipsRect(2520, 4080, 2295, 375)},
        {"btnPref", TwipsRect(4920, 4080, 2175, 375)},
    };
    for (const auto &control : controls)
        EXPECT_EQ(child<QWidget>(control.name)->geometry(), control.geometry) << control.name;
    // Inside a frame a control starts below the frame's top border.
    const struct
    {
        const char *name;
        QRect geometry;
    } framed[] = {
        {"File1", TwipsRect(120, 240, 5295, 3405)},
        {"Image1", TwipsRect(120, 240, 5775, 1815)},
        {"Label1", TwipsRect(120, 240, 5775, 1215)},
    };
    for (const auto &control : framed) {
        const QWidget *shown = child<QWidget>(control.name);
        QRect expected = control.geometry;
        expected.setTop(qMax(expected.top(), shown->parentWidget()->contentsRect().top()));
        EXPECT_EQ(shown->geometry(), expected) << control.name;
    }

    QStringList menus;
    for (QAction *menu : window->menuBar()->actions())
        menus << menu->text();
    EXPECT_EQ(menus, (QStringList{QStringLiteral("Файл"), QStringLiteral("Инструменты"),
                                  QStringLiteral("Справка")}));
}

TEST_F(frmMainTest, TabGoesThroughTheButtonsThenTheList)
{
    open();
    QStringList order;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(order, (QStringList{QStringLiteral("btnDelSkin"), QStringLiteral("btnPref"),
                                  QStringLiteral("File1"), QStringLiteral("btnApplySk")}));
}

} // namespace
