// The gallery, opened from the main window's menu and driven as a person
// drives it: typing, clicks and keys on the grid, its context menu's items.

#include "frmGallery.h"
#include "frmCommentMenu.h"
#include "GalleryModel.h"
#include "GalleryView.h"
#include "IdleWork.h"
#include "MainWindowFixture.h"
#include "SharedThumbnails.h"
#include "SkinArchive.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>

#include <QSemaphore>
#include <QtConcurrent/QtConcurrentRun>
#include <QThreadPool>

#include <functional>
#include <memory>
#include <sched.h>
#include <sys/stat.h>

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
        chooseMenuItem("mnuTools", "galleryAction");
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

    // The colour in the middle of the row's picture square, as painted now.
    static QColor pictureColour(frmGallery &gallery, int row, int right = 0)
    {
        GalleryView &view = grid(gallery);
        const QRect cell = view.visualRect(view.model()->index(row, 0));
        return view.viewport()->grab().toImage().pixelColor(
            cell.center().x() + right, cell.top() + 8 + view.pictureSide() / 2);
    }
    static bool isRed(const QColor &colour) { return colour.red() > 200 && colour.green() < 60; }
    static bool isGreen(const QColor &colour)
    {
        return colour.green() > 100 && colour.red() < 60 && colour.blue() < 60;
    }

    static void writePicture(const QString &path, QSize size, QColor colour, const char *format)
    {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(colour);
        ASSERT_TRUE(picture.save(path, format)) << path.toStdString();
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

    // Selected at once: the list follows the gallery without reading the folder again.
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

// A shared skin dropped on the gallery is installed from there, its question
// and summary over the gallery, and the grid shows it.
TEST_F(frmGalleryTest, AZipDroppedOnTheGalleryInstallsItsSkin)
{
    addSkin(QStringLiteral("a.scn"), QStringLiteral("a"), Qt::green);
    const QByteArray shared = readFile(skinPath(QStringLiteral("a.scn")));
    const QString zip = root.path() + QStringLiteral("/a.zip");
    ASSERT_FALSE(ExportSkin(ToNativePath(QStringLiteral("a.scn")), ToNativePath(zip)));
    writeFile(skinPath(QStringLiteral("a.scn")), "older");
    addSkin(QStringLiteral("b.scn"), QStringLiteral("b"));
    open();
    QStringList said;
    QStringList left;
    inGallery([&](frmGallery &gallery) {
        for (const QMessageBox::StandardButton answer : {QMessageBox::Yes, QMessageBox::Ok})
            AnswerNext<QMessageBox>([&said, &gallery, answer](QMessageBox &box) {
                EXPECT_EQ(box.parentWidget(), &gallery);
                said << box.text();
                box.done(answer);
            });
        EXPECT_TRUE(dropFiles(grid(gallery).viewport(), {zip}));
        left = shown(gallery);
    });

    ASSERT_EQ(said.size(), 2);
    EXPECT_TRUE(said[0].contains(QStringLiteral("«a.scn» уже есть")));
    EXPECT_TRUE(said[1].contains(QStringLiteral("Из архива добавлены скины:\na.scn")));
    EXPECT_EQ(readFile(skinPath(QStringLiteral("a.scn"))), shared);
    EXPECT_EQ(left, (QStringList{QStringLiteral("a.scn"), QStringLiteral("b.scn")}));
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
        trigger(gallery, "describeAction");
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
        trigger(gallery, "applyAction");
        AnswerNext<frmCommentMenu>([&](frmCommentMenu &editor) {
            editorOver = editor.parentWidget();
            editor.reject();
        });
        trigger(gallery, "describeAction");
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
        picture = pictureColour(gallery, 0);
        placeholder = pictureColour(gallery, 1, grid(gallery).pictureSide() / 3); // off the name
        expected = grid(gallery).palette().color(QPalette::Midlight);
    });

    EXPECT_TRUE(isRed(picture));
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

// A preview of a size that the memory bound cannot take whole is decoded
// scaled down (a JPEG) or not at all (a placeholder); the others still show.
TEST_F(frmGalleryTest, ALargePictureIsDecodedScaledDownOrNotAtAll)
{
    addSkin(QStringLiteral("jpeg.scn"), {});
    addSkin(QStringLiteral("png.scn"), {});
    writePicture(previewPath(QStringLiteral("jpeg.scn")), {2400, 1800}, Qt::red, "JPEG");
    writePicture(previewPath(QStringLiteral("png.scn")), {2400, 1800}, Qt::red, "PNG");
    open();
    QColor jpeg, png;
    inGallery([&](frmGallery &gallery) {
        ASSERT_TRUE(picturesShown(gallery));
        jpeg = pictureColour(gallery, 0);
        png = pictureColour(gallery, 1);
    });

    EXPECT_TRUE(isRed(jpeg));
    EXPECT_FALSE(isRed(png));
}

// The gallery waits for nothing at idle priority: with the idle thread held
// up, typing, a change of the list under the filter and the close all return.
TEST_F(frmGalleryTest, TheGalleryNeverWaitsForTheIdleThread)
{
    addSkin(QStringLiteral("тема 1.scn"), QStringLiteral("тема"), Qt::red);
    addSkin(QStringLiteral("тема 2.scn"), QStringLiteral("тема"), Qt::red);
    open();
    const auto held = std::make_shared<QSemaphore>();
    RunWhenIdle([held] { held->acquire(); });
    QStringList left;
    inGallery([&](frmGallery &gallery) {
        typeText(gallery.findChild<QLineEdit *>(QStringLiteral("filter")), QStringLiteral("тем"));
        choose(gallery, QStringLiteral("тема 1.scn"));
        andWaitForTheList([&] { QTest::keyClick(&grid(gallery), Qt::Key_Delete); });
        left = shown(gallery);
    });
    held->release();

    EXPECT_EQ(left, QStringList{QStringLiteral("тема 2.scn")});
}

#ifdef Q_OS_LINUX
// The shared cache's thumbnail is shown when it was made from the picture as
// it is, by whichever program; any other entry gives way to the picture itself.
TEST_F(frmGalleryTest, ASharedThumbnailIsShownOnlyWhenItFitsThePicture)
{
    const struct
    {
        const char *entry;
        QSize size;
        bool rightUri, rightTime, pipe;
        const char *exactTime; // what this program adds; null: none, as other programs write
        bool fromCache;
    } cases[] = {
        {"another program's thumbnail", {100, 50}, true, true, false, nullptr, true},
        {"a PNG bomb", {4000, 4000}, true, true, false, nullptr, false},
        {"a wrong URI", {100, 50}, false, true, false, nullptr, false},
        {"a stale modification time", {100, 50}, true, false, false, nullptr, false},
        {"a corrupt file", {}, true, true, false, nullptr, false},
        {"a named pipe", {}, true, true, true, nullptr, false},
        {"ours, of the picture before it was rewritten within its second",
         {100, 50},
         true,
         true,
         false,
         "1",
         false},
    };
    int made = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.entry);
        const QString skin = QStringLiteral("%1.scn").arg(made++); // an entry of its own
        addSkin(skin, {}, Qt::red);
        const std::filesystem::path preview = PreviewPathFor(ToNativePath(skin));
        const std::optional<SharedThumbnail> entry = SharedThumbnailFor(preview, 128);
        ASSERT_TRUE(entry && QDir().mkpath(text(entry->file.parent_path())));
        const QString file = text(entry->file);
        if (c.pipe) {
            ASSERT_EQ(::mkfifo(entry->file.c_str(), 0600), 0);
        } else if (c.size.isEmpty()) {
            writeFile(file, "\x89PNG\r\n\x1a\n not a picture");
        } else {
            QImage thumbnail(c.size, QImage::Format_RGB32);
            thumbnail.fill(Qt::darkGreen);
            thumbnail.setText(QLatin1StringView(kThumbnailUriKey),
                              c.rightUri ? QString::fromUtf8(entry->uri) : "file:///elsewhere.jpg");
            const qint64 time = QFileInfo(text(preview)).lastModified().toSecsSinceEpoch();
            thumbnail.setText(QLatin1StringView(kThumbnailModifiedKey),
                              QString::number(c.rightTime ? time : time - 1));
            if (c.exactTime)
                thumbnail.setText(QLatin1StringView(kThumbnailExactlyModifiedKey),
                                  QString::fromUtf8(c.exactTime));
            ASSERT_TRUE(thumbnail.save(file, "PNG"));
        }
        open();
        QColor shownThere;
        inGallery([&](frmGallery &gallery) {
            ASSERT_TRUE(picturesShown(gallery));
            shownThere = pictureColour(gallery, int(shown(gallery).indexOf(skin)));
        });
        EXPECT_EQ(isGreen(shownThere), c.fromCache) << shownThere.name().toStdString();
        EXPECT_EQ(isRed(shownThere), !c.fromCache) << shownThere.name().toStdString();
        window.reset();
    }
}
#endif

// A picture that changes on disk while the gallery is open is shown as it is now.
TEST_F(frmGalleryTest, ThePictureShownFollowsItsFile)
{
    const QString skin = QStringLiteral("a.scn");
    const QString preview = previewPath(skin);
    const struct
    {
        const char *change;
        bool previewBefore;
        bool inFolder; // else it is the file alone that changes
        std::function<void()> make;
    } cases[] = {
        {"replaced by a rename", true, true,
         [&] {
             writePicture(preview + ".new", {40, 20}, Qt::darkGreen, "JPEG");
             ASSERT_EQ(std::rename(QFile::encodeName(preview + ".new"), QFile::encodeName(preview)),
                       0);
         }},
        {"skin deleted and added again", true, true,
         [&] {
             ASSERT_TRUE(QFile::remove(skinPath(skin)) && QFile::remove(preview));
             addSkin(skin, {}, Qt::darkGreen);
         }},
        {"replaced in place", true, false,
         [&] {
             writePicture(preview, {40, 20}, Qt::darkGreen, "JPEG");
         }},
        {"preview arriving after its skin", false, true,
         [&] {
             writePicture(preview, {40, 20}, Qt::darkGreen, "JPEG");
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.change);
        addSkin(skin, {}, c.previewBefore ? QColor(Qt::red) : QColor());
        // Older than the second of the change, as the shared cache tells times.
        if (c.previewBefore) {
            QFile old(preview);
            ASSERT_TRUE(old.open(QIODevice::ReadWrite) &&
                        old.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                                        QFileDevice::FileModificationTime));
        }
        open();
        bool followed = false;
        inGallery([&](frmGallery &gallery) {
            ASSERT_TRUE(picturesShown(gallery));
            if (c.inFolder)
                andWaitForTheList(c.make);
            else
                c.make();
            followed = QTest::qWaitFor([&] { return isGreen(pictureColour(gallery, 0)); }, 10000);
        });
        EXPECT_TRUE(followed);
        window.reset();
        QFile::remove(skinPath(skin));
        QFile::remove(preview);
    }
}

} // namespace
