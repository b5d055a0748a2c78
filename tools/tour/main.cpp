// A tour of the program's windows for its documentation: starts the main window
// on the application folder it is placed in, applies skins and opens each
// window in turn, saving a picture of each as the screen shows it, frame and all.
// Usage, from the demo folder: tour OUTPUT_FOLDER
// Meant for a virtual display with a window manager (./run --tour).

#include "Application.h"
#include "frmAbout.h"
#include "frmCommentMenu.h"
#include "frmGallery.h"
#include "frmMain.h"
#include "frmPref.h"
#include "GalleryView.h"
#include "ModalWindows.h"
#include "PlatformEdge.h"
#include "SkinLibrary.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <cstdio>

namespace {

const QString kSkin = QStringLiteral("NIGHT.SCN");
QDir output;
bool allSaved = true;

// Saves the window as the screen shows it, once the window manager has framed it.
void picture(QWidget &window, const QString &name)
{
    // Without a frame after a while the picture shows the window alone.
    [[maybe_unused]] const bool framed =
        QTest::qWaitFor([&window] { return window.frameGeometry() != window.geometry(); }, 3000);
    QTest::qWait(300); // and has drawn the frame
    const QRect frame = window.frameGeometry();
    const QPixmap shot =
        window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    const QString file = output.filePath(name + QStringLiteral(".png"));
    if (shot.isNull() || !shot.save(file)) {
        std::fprintf(stderr, "tour: cannot save %s\n", qPrintable(file));
        allSaved = false;
        return;
    }
    std::printf("%s\n", qPrintable(file));
}

template <typename Dialog> void thenPicture(const QString &name, std::function<void(Dialog &)> then)
{
    ModalAnswers::SetNext([name, then](QDialog &window) {
        picture(window, name);
        if (auto *dialog = qobject_cast<Dialog *>(&window); dialog && then)
            then(*dialog);
        if (window.isVisible()) // whatever the tour did, the window closes
            window.reject();
    });
}

template <typename Widget> Widget *child(QWidget &parent, const char *name)
{
    return parent.findChild<Widget *>(QLatin1StringView(name));
}

void click(QWidget &parent, const char *button)
{
    QTest::mouseClick(child<QPushButton>(parent, button), Qt::LeftButton);
}

QMenu *openMenu(frmMain &window, const char *menuName)
{
    QMenu *menu = child<QMenu>(window, menuName);
    QMenuBar *bar = window.menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    return menu;
}

void chooseMenuItem(frmMain &window, const char *menuName, const char *itemName)
{
    QMenu *menu = openMenu(window, menuName);
    QTest::mouseClick(menu, Qt::LeftButton, {},
                      menu->actionGeometry(child<QAction>(window, itemName)).center());
}

void selectSkin(frmMain &window, const QString &name)
{
    auto *list = child<QListView>(window, "File1");
    const QModelIndexList found =
        list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, name);
    if (found.isEmpty()) {
        std::fprintf(stderr, "tour: no skin %s in the list\n", qPrintable(name));
        allSaved = false;
        return;
    }
    list->scrollTo(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(found.first()).center());
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    PrepareApplication(app);
    if (argc != 2) {
        std::fputs("usage: tour OUTPUT_FOLDER\n", stderr);
        return 2;
    }
    output.setPath(QString::fromLocal8Bit(argv[1]));
    if (!output.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "tour: cannot make %s\n", argv[1]);
        return 1;
    }

    frmMain window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;

    // "Применить скин" with nothing selected: the message says so.
    thenPicture<QMessageBox>(QStringLiteral("message"), {});
    click(window, "btnApplySk");

    // Applied, the skin is marked as the active one, and it can be undone.
    selectSkin(window, kSkin);
    click(window, "btnApplySk");
    picture(window, QStringLiteral("main"));

    // A menu open over the window, in the windows' font.
    openMenu(window, "mnuTools");
    picture(window, QStringLiteral("menu"));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);

    thenPicture<frmPref>(QStringLiteral("preferences"), {});
    click(window, "btnPref");

    thenPicture<frmCommentMenu>(QStringLiteral("editor-empty"), [](frmCommentMenu &editor) {
        thenPicture<QFileDialog>(QStringLiteral("file-chooser"), [](QFileDialog &chooser) {
            // Typed into the name box: with the focus there, selectFile() leaves it as it is.
            child<QLineEdit>(chooser, "fileNameEdit")
                ->setText(FromNativePath(SkinFilePath(kSkin.toStdString())));
            static_cast<QDialog &>(chooser).accept();
        });
        click(editor, "btnOpen");
        picture(editor, QStringLiteral("editor"));
    });
    chooseMenuItem(window, "mnuTools", "mnuDestEditor");

    // The gallery once every cell in view shows its picture, the applied skin marked.
    ModalAnswers::SetNext([](QDialog &gallery) {
        auto *grid = gallery.findChild<GalleryView *>();
        QSignalSpy shown(grid, &GalleryView::picturesShown);
        grid->viewport()->update();
        if (!shown.wait(10000))
            std::fputs("tour: the gallery's pictures did not show\n", stderr);
        picture(gallery, QStringLiteral("gallery"));
        gallery.reject();
    });
    chooseMenuItem(window, "mnuTools", "galleryAction");

    thenPicture<frmAbout>(QStringLiteral("about"), {});
    chooseMenuItem(window, "mnuHelp", "mnuAbout");

    // Two more skins applied: the history lists the three skins they replaced,
    // the second one chosen with its preview. The tour closes it unreturned.
    for (const QString &skin : {QStringLiteral("Осень.scn"), QStringLiteral("Blue Sky.scn")}) {
        selectSkin(window, skin);
        click(window, "btnApplySk");
    }
    ModalAnswers::SetNext([](QDialog &history) {
        auto *entries = child<QTreeWidget>(history, "entryList");
        if (entries && entries->topLevelItemCount() > 1)
            entries->setCurrentItem(entries->topLevelItem(1));
        picture(history, QStringLiteral("history"));
        history.reject();
    });
    chooseMenuItem(window, "mnuTools", "historyAction");

    return allSaved ? 0 : 1;
}
