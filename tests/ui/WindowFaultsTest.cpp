// The main window under bad input and faults: it never creates, loses or
// hangs on a file, and never lets a second action start inside the first.

#include "CloseViewer.h"
#include "DescriptionField.h"
#include "MainWindowFixture.h"
#include "platform/WindowServices.h"
#include "StandInViewer.h"

#include <QMimeData>
#include <QThreadPool>
#include <QTimer>

#include <fstream>
#include <sys/stat.h>

namespace {

using namespace std::chrono_literals;

class WindowFaultsTest : public MainWindowTest
{
protected:
    QString activeSkin() const { return appFolder() + QStringLiteral("/Kelvora.rus"); }
};

// Selecting never creates a file, and a preview that never answers a read (a
// named pipe) is not waited on.
TEST_F(WindowFaultsTest, SelectingAGoneSkinOrAPipePreviewChangesNothingAndEnds)
{
    addSkin(QStringLiteral("a.scn"), QStringLiteral("first"), Qt::blue);
    addSkin(QStringLiteral("gone.scn"), QStringLiteral("gone"));
    addSkin(QStringLiteral("pipe.scn"), QStringLiteral("pipe"));
#ifndef _WIN32 // Windows has no named pipes among files
    ASSERT_EQ(::mkfifo(previewPath(QStringLiteral("pipe.scn")).toLocal8Bit(), 0600), 0);
#endif
    open();
    clickSkin(QStringLiteral("a.scn"));
    ASSERT_TRUE(QFile::remove(skinPath(QStringLiteral("gone.scn"))));

    MessageBoxCatcher messages;
    clickSkin(QStringLiteral("gone.scn"));
    ASSERT_EQ(messages.seen.size(), 1);
    EXPECT_TRUE(messages.seen[0].text.contains(
        QDir::toNativeSeparators(skinPath(QStringLiteral("gone.scn")))));
    EXPECT_FALSE(QFileInfo::exists(skinPath(QStringLiteral("gone.scn"))));
    EXPECT_TRUE(description().startsWith(QStringLiteral("first")));

    clickSkin(QStringLiteral("pipe.scn"));
    EXPECT_TRUE(description().startsWith(QStringLiteral("pipe")));
    EXPECT_EQ(previewColour(), QColor(Qt::blue));
}

// A skin whose name is no UTF-8 text shows as --list prints it, apart from a
// skin named with the replacement characters it would decode to, and its
// description is its own.
TEST_F(WindowFaultsTest, ASkinNamedInOtherBytesShowsItsOwnNameAndDescription)
{
    const std::filesystem::path name = std::string("\xCD\xEE\xF7\xFC.scn"); // cp1251
    std::ofstream(SkinFilePath(name)) << std::string(900, 'n');
    ASSERT_FALSE(WriteDescription(SkinFilePath(name), QStringLiteral("Ночь")));
    addSkin(QStringLiteral("\uFFFD\uFFFD\uFFFD\uFFFD.scn"), QStringLiteral("Другой"));
    open();
    ASSERT_EQ(listed(), (QStringList{QStringLiteral("\\xCD\\xEE\\xF7\\xFC.scn"),
                                     QStringLiteral("\uFFFD\uFFFD\uFFFD\uFFFD.scn")}));

    clickSkin(listed()[0]);

    EXPECT_TRUE(description().startsWith(QStringLiteral("Ночь")));
}

// The window's start removes what a copy killed half-way left, and nothing else.
TEST_F(WindowFaultsTest, AStartRemovesTemporaryLeftovers)
{
    const QString leftOver = appFolder() + QStringLiteral("/.Kelvora.rus.ksm-a1B2c3.tmp");
    const QString lookAlike = appFolder() + QStringLiteral("/Kelvora.rus.a1B2c3");
    writeFile(leftOver, "half a copy");
    writeFile(lookAlike, "someone else's");

    open();
    QThreadPool::globalInstance()->waitForDone(); // the removal runs off the window's thread

    EXPECT_FALSE(QFileInfo::exists(leftOver));
    EXPECT_TRUE(QFileInfo::exists(lookAlike));
}

// While the viewer is waited for, the window says so and takes nothing: a
// second press of "Применить скин" and a drop are refused, and a Skins folder
// removed meanwhile is read quietly once the step has ended. Only the apply's
// own messages show, its reasons in Russian, and the list then follows a
// Skins folder made anew.
TEST_F(WindowFaultsTest, DuringTheViewersWaitNothingElseStartsAndTheWindowStaysUsable)
{
    if (!platform::WindowServices().connected())
        GTEST_SKIP() << "no X server; ./test starts Xvfb for this test";
    SetViewerWaitLimitForTesting(1500ms);
    addSkin(QStringLiteral("a.scn"), QStringLiteral("a"));
    StandInViewer refusing({QStringLiteral("--refuse-close")});
    ASSERT_NE(refusing.window(), 0u);
    open();
    clickSkin(QStringLiteral("a.scn"));
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(root.path() + QStringLiteral("/b.scn"))});
    QWidget *target = child<QListView>("File1")->viewport();
    QDragEnterEvent enter(target->rect().center(), Qt::CopyAction, &files, Qt::LeftButton,
                          Qt::NoModifier);
    QString waitingFor;
    QTimer::singleShot(100, [&] {
        clickButton("btnApplySk");
        QCoreApplication::sendEvent(target, &enter);
        QDir(skinsFolder()).removeRecursively();
    });
    QTimer::singleShot(1000, [&] {
        if (auto *waiting = window->findChild<QDialog *>(QStringLiteral("waitingWindow"));
            waiting && waiting->isVisible())
            waitingFor = waiting->findChild<QLabel *>()->text();
    });

    MessageBoxCatcher messages;
    clickButton("btnApplySk");
    SetViewerWaitLimitForTesting(kViewerWaitLimit);
    EXPECT_TRUE(QTest::qWaitFor([this] { return listed().isEmpty(); }));

    EXPECT_EQ(waitingFor, QStringLiteral("Ожидание закрытия Kelvora…"));
    EXPECT_FALSE(enter.isAccepted());
    ASSERT_EQ(messages.seen.size(), 2);
    EXPECT_EQ(messages.seen[0].text, QStringLiteral("Ошибка закрытия Kelvora."));
    // Whether the folder or only the file is gone when the step reads depends
    // on how far the removal got; both reasons are the system's, in Russian.
    // As text in full: GoogleTest shows only the start of a QString.
    const auto readError = [this](const QString &reason) {
        return FileErrorText({skinPath(QStringLiteral("a.scn")), reason}).toStdString();
    };
    const std::string shown = messages.seen[1].text.toStdString();
    EXPECT_TRUE(shown == readError(QStringLiteral("нет папки, в которой должен быть этот файл")) ||
                shown == readError(QStringLiteral("нет такого файла или папки")))
        << shown;

    ASSERT_TRUE(QDir().mkpath(skinsFolder()));
    addSkin(QStringLiteral("new.scn"), QStringLiteral("new"));
    EXPECT_TRUE(
        QTest::qWaitFor([this] { return listed() == QStringList{QStringLiteral("new.scn")}; }));
    EXPECT_EQ(messages.seen.size(), 2);
}

} // namespace
