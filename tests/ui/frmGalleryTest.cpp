// The gallery, opened from the main window's menu and driven as a person
// drives it: typing, clicks and keys on the grid, its context menu's items.

#include "frmGallery.h"
#include "frmCommentMenu.h"
#include "GalleryModel.h"
#include "GalleryView.h"
#include "MainWindowFixture.h"
#include "SharedThumbnails.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>

#include <QSemaphore>
#include <QtConcurrent/QtConcurrentRun>
#include <QThreadPool>

#include <functional>
#include <sched.h>

namespace {

class frmGalleryTest : public MainWindowTest
{
protected:
    // Thumbnails go to a cache of the test's own.
    void SetUp() override
    {
        MainWindowTest::SetUp();
        cacheBefore = qgetenv("XDG_CACHE_HOME");
        qputenv("XDG_CACHE_HOME", QFile::encodeName(root.path() + QStringLiteral("/cache")));
    }
    void TearDown() override
    {
        qputenv("XDG_CACHE_HOME", cacheBefore);
        MainWindowTest::TearDown();
    }

    // Opens the gallery from the menu; act runs in it, then it closes.
    void inGallery(const std::function<void(frmGallery &)> &act)
    {
        AnswerNext<frmGallery>([act](frmGallery &gallery) {
            act(gallery);
            gallery.reject();
        });
        chooseMenuItem("mnuTools", "mnuGallery");
    }

    static GalleryView &grid(frmGallery &gallery)
    {
        return *gallery.findChild<GalleryView *>(QStringLiteral("grid"));
    }

    static QStringList shown(frmGallery &gallery)
    {
        QStringList names;
        const QAbstractItemModel &model = *grid(gallery).model();
        for (int row = 0; row < model.rowCount(); ++row)
            names << model.index(row, 0).data().toString();
        return names;
    }

    static void choose(frmGallery &gallery, const QString &name)
    {
        GalleryView &view = grid(gallery);
        const qsizetype row = shown(gallery).indexOf(name);
        ASSERT_GE(row, 0) << name.toStdString();
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                          view.visualRect(view.model()->index(int(row), 0)).center());
    }

    static void trigger(frmGallery &gallery, const char *name)
    {
        auto *action = gallery.findChild<QAction *>(QLatin1StringView(name));
        ASSERT_TRUE(action && action->isEnabled()) << name;
        action->trigger();
    }

    // Waits until every cell in view shows its picture or placeholder.
    static bool picturesShown(frmGallery &gallery)
    {
        QSignalSpy shownAll(&grid(gallery), &GalleryView::picturesShown);
        grid(gallery).viewport()->update();
        return shownAll.wait(10000);
    }

    static bool thumbnailMade(const QString &skin)
    {
        const std::optional<SharedThumbnail> entry =
            SharedThumbnailFor(PreviewPathFor(ToNativePath(skin)), 96);
        return entry && QFileInfo::exists(text(entry->file));
    }

    QByteArray cacheBefore;
};

TEST_F(frmGalleryTest, TypingFindsSkinsByNameAndByDescription)
{
    addSkin(QStringLiteral("Ночь.scn"), QStringLiteral("Тёмная тема"));
    addSkin(QStringLiteral("Лето.scn"), QStringLiteral("светлая ТЕМА"));
    addSkin(QStringLiteral("Осень.scn"), QStringLiteral("листья"));
    open();
    QStringList byDescription, byName;
    inGallery([&](frmGallery &gallery) {
        auto *filter = gallery.findChild<QLineEdit *>(QStringLiteral("filter"));
        typeText(filter, QStringLiteral("Тема"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return shown(gallery).size() == 2; }, 10000));
        byDescription = shown(gallery);
        filter->selectAll();
        typeText(filter, QStringLiteral("оСЕ"));
        byName = shown(gallery);
    });

    EXPECT_EQ(byDescription, (QStringList{QStringLiteral("Лето.scn"), QStringLiteral("Ночь.scn")}));
    EXPECT_EQ(byName, QStringList{QStringLiteral("Осень.scn")});
}

#ifdef Q_OS_LINUX
// The descriptions are read at idle priority; the threads the list reads its
// folder on must not be left at it, or a re-read waits behind every other program.
TEST_F(frmGalleryTest, TheSharedThreadsAreNotLeftAtIdlePriority)
{
    addSkin(QStringLiteral("Ночь.scn"), QStringLiteral("Тёмная тема"));
    open();
    inGallery([&](frmGallery &gallery) {
        typeText(gallery.findChild<QLineEdit *>(QStringLiteral("filter")), QStringLiteral("тем"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return shown(gallery).size() == 1; }, 10000));
    });

    // Every thread of the shared pool at once, each saying how it is scheduled.
    QThreadPool &shared = *QThreadPool::globalInstance();
    QSemaphore started;
    std::vector<QFuture<int>> policies;
    for (int i = 0; i < shared.maxThreadCount(); ++i)
        policies.push_back(QtConcurrent::run(&shared, [&] {
            started.release();
            started.acquire(shared.maxThreadCount()); // all running, none reused
            started.release(shared.maxThreadCount());
            return sched_getscheduler(0);
        }));
    for (QFuture<int> &policy : policies)
        EXPECT_NE(policy.result(), SCHED_IDLE);
}
#endif

// Enter applies as "Применить скин" does; the mark moves in both windows, and
// the main window selects the skin once the gallery closes.
TEST_F(frmGalleryTest, EnterAppliesTheChosenSkinAndTheMarkFollows)
{
    storeSetting("KillKelvoraEnable", QStringLiteral("0"));
    addSkin(QStringLiteral("a.scn"), QStringLiteral("a"));
    addSkin(QStringLiteral("b.scn"), QStringLiteral("b"));
    const QString active = appFolder() + QStringLiteral("/Kelvora.rus");
    writeFile(active, readFile(skinPath(QStringLiteral("a.scn"))));
    open();
    bool markedInGallery = false;
    inGallery([&](frmGallery &gallery) {
        choose(gallery, QStringLiteral("b.scn"));
        andWaitForTheList([&] { QTest::keyClick(&grid(gallery), Qt::Key_Return); });
        markedInGallery =
            grid(gallery).model()->index(1, 0).data(GalleryModel::ActiveRole).toBool();
    });
    andWaitForTheList([] {}); // the main list reads the folder again to select the skin

    EXPECT_EQ(readFile(active), readFile(skinPath(QStringLiteral("b.scn"))));
    EXPECT_TRUE(markedInGallery);
    EXPECT_EQ(child<QListView>("File1")->currentIndex().data().toString(), QStringLiteral("b.scn"));
    EXPECT_TRUE(child<QListView>("File1")->currentIndex().data(Qt::FontRole).value<QFont>().bold());
}

TEST_F(frmGalleryTest, DeleteKeyDeletesTheChosenSkinInBothWindows)
{
    addSkin(QStringLiteral("a.scn"), QStringLiteral("a"), Qt::green);
    addSkin(QStringLiteral("b.scn"), QStringLiteral("b"));
    open();
    QStringList left;
    inGallery([&](frmGallery &gallery) {
        choose(gallery, QStringLiteral("a.scn"));
        andWaitForTheList([&] {
            QTest::keyClick(&grid(gallery), Qt::Key_Delete);
            // Gone at once, before the folder is read again.
            EXPECT_EQ(shown(gallery), QStringList{QStringLiteral("b.scn")});
        });
        left = shown(gallery);
    });

    EXPECT_EQ(left, QStringList{QStringLiteral("b.scn")});
    EXPECT_EQ(listed(), QStringList{QStringLiteral("b.scn")});
    EXPECT_FALSE(QFileInfo::exists(skinPath(QStringLiteral("a.scn"))));
    EXPECT_FALSE(QFileInfo::exists(previewPath(QStringLiteral("a.scn"))));
}

// The matches that stay are all shown after the list changed under the filter.
TEST_F(frmGalleryTest, TheFilterKeepsItsOtherMatchesWhenOneIsDeleted)
{
    for (const char *name : {"Зима 1.scn", "Зима 2.scn", "Зима 3.scn", "Лето.scn"})
        addSkin(QString::fromUtf8(name), {});
    open();
    QStringList left;
    inGallery([&](frmGallery &gallery) {
        typeText(gallery.findChild<QLineEdit *>(QStringLiteral("filter")), QStringLiteral("зим"));
        choose(gallery, QStringLiteral("Зима 2.scn"));
        andWaitForTheList([&] { QTest::keyClick(&grid(gallery), Qt::Key_Delete); });
        left = shown(gallery);
    });

    EXPECT_EQ(left, (QStringList{QStringLiteral("Зима 1.scn"), QStringLiteral("Зима 3.scn")}));
}

// "Изменить описание…" opens the editor on the chosen skin; the new text finds it.
TEST_F(frmGalleryTest, TheEditorOpensOnTheChosenSkinAndItsNewTextFindsIt)
{
    addSkin(QStringLiteral("a.scn"), QStringLiteral("old"));
    addSkin(QStringLiteral("b.scn"), QStringLiteral("other"));
    open();
    QString path;
    QStringList found;
    inGallery([&](frmGallery &gallery) {
        choose(gallery, QStringLiteral("a.scn"));
        AnswerNext<frmCommentMenu>([&](frmCommentMenu &editor) {
            path = editor.findChild<QLabel *>(QStringLiteral("Label1"))->text();
            auto *box = editor.findChild<QPlainTextEdit *>(QStringLiteral("Text1"));
            box->selectAll();
            typeText(box, QStringLiteral("Зимний"));
            QTest::mouseClick(editor.findChild<QPushButton *>(QStringLiteral("BtnSave")),
                              Qt::LeftButton);
            editor.reject();
        });
        trigger(gallery, "mnuGalleryDescribe");
        typeText(gallery.findChild<QLineEdit *>(QStringLiteral("filter")), QStringLiteral("зим"));
        found = shown(gallery);
    });

    EXPECT_TRUE(path.endsWith(QDir::toNativeSeparators(skinPath(QStringLiteral("a.scn")))));
    EXPECT_EQ(found, QStringList{QStringLiteral("a.scn")});
}

// What the gallery's actions open, opens over the gallery, not under it.
TEST_F(frmGalleryTest, AnApplysMessageAndTheEditorOpenOverTheGallery)
{
    storeSetting("SkinFileName", QStringLiteral("..\\Kelvora.rus")); // refused by the apply
    addSkin(QStringLiteral("a.scn"), QStringLiteral("a"));
    open();
    const QWidget *messageOver = nullptr, *editorOver = nullptr, *galleryShown = nullptr;
    inGallery([&](frmGallery &gallery) {
        galleryShown = &gallery;
        choose(gallery, QStringLiteral("a.scn"));
        AnswerNext<QMessageBox>([&](QMessageBox &box) {
            messageOver = box.parentWidget();
            box.accept();
        });
        trigger(gallery, "mnuGalleryApply");
        AnswerNext<frmCommentMenu>([&](frmCommentMenu &editor) {
            editorOver = editor.parentWidget();
            editor.reject();
        });
        trigger(gallery, "mnuGalleryDescribe");
    });

    EXPECT_EQ(messageOver, galleryShown);
    EXPECT_EQ(editorOver, galleryShown);
}

TEST_F(frmGalleryTest, APictureThatCannotBeReadGetsThePlaceholder)
{
    addSkin(QStringLiteral("a.scn"), QStringLiteral("a"), Qt::red);
    addSkin(QStringLiteral("b.scn"), QStringLiteral("b"));
    writeFile(previewPath(QStringLiteral("b.scn")), "not a picture");
    open();
    QColor picture, placeholder, expected;
    inGallery([&](frmGallery &gallery) {
        ASSERT_TRUE(picturesShown(gallery));
        GalleryView &view = grid(gallery);
        const QImage drawn = view.viewport()->grab().toImage();
        const auto centreOf = [&](int row) {
            const QRect cell = view.visualRect(view.model()->index(row, 0));
            return QPoint(cell.center().x(), cell.top() + 8 + view.pictureSide() / 2);
        };
        picture = drawn.pixelColor(centreOf(0));
        placeholder = drawn.pixelColor(centreOf(1) + QPoint(view.pictureSide() / 3, 0));
        expected = view.palette().color(QPalette::Midlight);
    });

    EXPECT_GT(picture.red(), 200);
    EXPECT_LT(picture.green(), 60);
    EXPECT_NEAR(placeholder.lightness(), expected.lightness(), 2); // the grab rounds colours
    EXPECT_EQ(placeholder.hue(), expected.hue());
}

// Of 300 skins, the cells in view and a screen ahead are decoded: at the top,
// then at the end; the middle never.
TEST_F(frmGalleryTest, OnlyTheCellsInViewAreDecoded)
{
    for (int i = 0; i < 300; ++i)
        addSkin(QStringLiteral("%1.scn").arg(i, 3, 10, QChar(u'0')), {}, Qt::blue);
    open();
    bool first = false, last = false, middle = true;
    inGallery([&](frmGallery &gallery) {
        gallery.findChild<QSlider *>(QStringLiteral("pictureSide"))->setValue(96);
        gallery.resize(500, 400);
        // Thumbnails are stored once the pictures in view are decoded, when a
        // processor is free: on a busy machine that takes a while.
        ASSERT_TRUE(picturesShown(gallery));
        first = QTest::qWaitFor([] { return thumbnailMade(QStringLiteral("000.scn")); }, 45000);
        grid(gallery).scrollToBottom();
        ASSERT_TRUE(picturesShown(gallery));
        last = QTest::qWaitFor([] { return thumbnailMade(QStringLiteral("299.scn")); }, 45000);
        middle = thumbnailMade(QStringLiteral("150.scn"));
    });

    EXPECT_TRUE(first);
    EXPECT_TRUE(last);
    EXPECT_FALSE(middle);
}

} // namespace
