#pragma once

#include "DescriptionField.h"
#include "frmMain.h"
#include "ModalAnswering.h"
#include "Settings.h"
#include "SkinLibrary.h"
#include "SkinList.h"
#include "TempAppFolder.h"

#include <QApplication>
#include <QDropEvent>
#include <QImage>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include <memory>

// The main window on an application folder of the test's own, driven as a
// person drives it: clicks on the list, the buttons and the menus.
class MainWindowTest : public TempAppFolderTest
{
protected:
    void TearDown() override
    {
        ExpectEveryAnswerUsed();
        window.reset();
        TempAppFolderTest::TearDown();
    }

    // A skin file with a description and, when given a colour, a JPEG preview.
    void addSkin(const QString &name, const QString &description, QColor preview = QColor())
    {
        writeFile(skinPath(name), QByteArray(1000, 'v'));
        ASSERT_FALSE(WriteDescription(ToNativePath(skinPath(name)), description));
        if (preview.isValid()) {
            QImage picture(previewSize, QImage::Format_RGB32);
            picture.fill(preview);
            ASSERT_TRUE(picture.save(previewPath(name), "JPEG"));
        }
    }

    // The program's paths of the skin with this name, as texts.
    static QString skinPath(const QString &name) { return text(SkinFilePath(ToNativePath(name))); }
    static QString previewPath(const QString &name)
    {
        return text(PreviewPathFor(ToNativePath(name)));
    }

    // A setting, where the program keeps its settings (a file, or on Windows the registry).
    static void storeSetting(const char *key, const QString &value)
    {
        OpenUserSettings()->setValue(QStringLiteral("Options/") + QLatin1StringView(key), value);
    }

    // Shows the main window and, unless a message box is expected to take it,
    // waits for the keyboard focus.
    frmMain &open(bool active = true)
    {
        window = std::make_unique<frmMain>();
        QSignalSpy read(list(), &SkinList::activeMarked);
        window->show();
        window->activateWindow();
#ifdef _WIN32
        // Wine without a window manager activates a new window only now and
        // then; keys and focus follow Qt's own record of the active window.
        if (active && QTest::qWaitForWindowExposed(window.get()) &&
            !QTest::qWaitForWindowActive(window.get(), 500))
            QApplication::setActiveWindow(window.get());
#endif
        EXPECT_TRUE(active ? QTest::qWaitForWindowActive(window.get())
                           : QTest::qWaitForWindowExposed(window.get()));
        EXPECT_TRUE(!read.isEmpty() || read.wait()) << "the skin list was never read";
        return *window;
    }

    SkinList *list() const
    {
        return window->findChild<SkinList *>();
    }

    // Runs the action and waits until the list is read again and its active
    // skin marked.
    template <typename Action> void andWaitForTheList(Action action)
    {
        QSignalSpy read(list(), &SkinList::activeMarked);
        action();
        EXPECT_TRUE(!read.isEmpty() || read.wait()) << "the skin list was not read again";
    }

    // Files dropped onto target from a file manager, as their addresses; true when
    // target took the drag in. Returns once the skin list was read again.
    bool dropFiles(QWidget *target, const QStringList &files)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString &file : files)
            urls << QUrl::fromLocalFile(file);
        data.setUrls(urls);
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        andWaitForTheList([&] {
            QCoreApplication::sendEvent(target, &drop);
            QCoreApplication::processEvents(); // the drop is taken in after the event
        });
        return true;
    }

    template <typename T> T *child(const char *name) const
    {
        T *widget = window->findChild<T *>(QLatin1StringView(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    // The names the skin list shows, in its order.
    QStringList listed() const
    {
        const QAbstractItemModel *model = child<QListView>("File1")->model();
        QStringList names;
        for (int row = 0; row < model->rowCount(); ++row)
            names << model->index(row, 0).data().toString();
        return names;
    }

    bool nothingSelected() const
    {
        return !child<QListView>("File1")->selectionModel()->hasSelection();
    }

    void clickSkin(const QString &name)
    {
        auto *list = child<QListView>("File1");
        const qsizetype row = listed().indexOf(name);
        ASSERT_GE(row, 0) << name.toStdString();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(int(row), 0)).center());
    }

    void clickButton(const char *name) const
    {
        QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton);
    }

    // Opens the menu from the menu bar and clicks its item, which must be
    // there and enabled.
    void chooseMenuItem(const char *menuName, const char *itemName) const
    {
        QMenuBar *bar = window->menuBar();
        auto *menu = child<QMenu>(menuName);
        auto *item = child<QAction>(itemName);
        ASSERT_TRUE(menu && item);
        ASSERT_TRUE(menu->actions().contains(item) && item->isEnabled() && item->isVisible())
            << itemName;
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(menu->menuAction()).center());
        ASSERT_TRUE(menu->isVisible()) << menuName;
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    }

    // Types the text into the widget that has the focus there, key by key.
    static void typeText(QWidget *widget, const QString &text)
    {
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }

    QString description() const
    {
        return child<QLabel>("Label1")->text();
    }

    // The colour of the picture shown, rounded to pure colours: JPEG is lossy.
    QColor previewColour() const
    {
        const QPixmap shown = child<QLabel>("Image1")->pixmap();
        if (shown.isNull())
            return QColor();
        const QColor pixel = shown.toImage().pixelColor(10, 10);
        const auto pure = [](int channel) { return channel < 128 ? 0 : 255; };
        return QColor(pure(pixel.red()), pure(pixel.green()), pure(pixel.blue()));
    }

    // The picture shown, and the picture of a skin's preview file, pixel for pixel.
    QImage shownPicture() const
    {
        return child<QLabel>("Image1")->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    }
    static QImage pictureOf(const QString &name)
    {
        return QImage(previewPath(name)).convertToFormat(QImage::Format_RGB32);
    }

    const QSize previewSize{40, 20};
    std::unique_ptr<frmMain> window;
};
