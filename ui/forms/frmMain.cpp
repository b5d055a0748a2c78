#include "frmMain.h"

#include "AppFolder.h"
#include "AppIcon.h"
#include "AppInfo.h"
#include "cToolTipEx.h"
#include "DescriptionField.h"
#include "frmAbout.h"
#include "frmCommentMenu.h"
#include "frmGallery.h"
#include "frmHistory.h"
#include "frmPref.h"
#include "LongStep.h"
#include "Messages.h"
#include "ModalWindows.h"
#include "Module1.h"
#include "platform/Platform.h"
#include "platform/WindowServices.h"
#include "platform/WinePrefixes.h"
#include "PlatformEdge.h"
#include "PreviewLoader.h"
#include "RunStart.h"
#include "Settings.h"
#include "SkinActions.h"
#include "SkinArchive.h"
#include "SkinDrop.h"
#include "SkinLibrary.h"
#include "SkinList.h"
#include "SkinListModel.h"
#include "Twips.h"
#include "ViewerFolderChoice.h"
#include "WidgetHandle.h"
#include "WindowConventions.h"
#include "WindowFont.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include <utility>

namespace {

const QSize kClientSize = TwipsSize(11895, 4605);

QGroupBox *makeFrame(QWidget *parent, const char *name, const QString &caption, QRect geometry)
{
    auto *frame = new QGroupBox(caption, parent);
    frame->setObjectName(QLatin1StringView(name));
    frame->setGeometry(geometry);
    return frame;
}

// The layout puts a frame's children 240 twips below its top, which at this
// font is on the frame's top border: a child moves below the border, keeping
// its other edges.
void placeInFrame(QWidget *child, const char *name, QRect geometry)
{
    child->setObjectName(QLatin1StringView(name));
    const int belowBorder = static_cast<QGroupBox *>(child->parentWidget())->contentsRect().top();
    geometry.setTop(qMax(geometry.top(), belowBorder));
    child->setGeometry(geometry);
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, QRect geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1StringView(name));
    button->setGeometry(geometry);
    PressOnEnter(button);
    return button;
}

// Takes the window system's close requests for the window off the toolkit,
// which drops one sent to the leader of its group and, as input, one during a
// long step; the window then closes as soon as it can. While a window of the
// program's is modal, the toolkit answers as it does for the frame's button.
class CloseRequestFilter : public QAbstractNativeEventFilter
{
public:
    explicit CloseRequestFilter(QWidget *window)
        : window_(window)
        , requests_(connection(), window->winId())
    {}

    bool nativeEventFilter(const QByteArray &, void *message, qintptr *) override
    {
        if (!requests_.isCloseRequest(message) ||
            (QApplication::activeModalWidget() && !LongStepRunning()))
            return false;
        AfterLongStep(window_, [window = window_] { closeAtRequest(window); });
        return true;
    }

private:
    // The request was held back by a long step. One that began since would
    // refuse the close too; a message that followed must not keep the program.
    static void closeAtRequest(QWidget *window)
    {
        if (LongStepRunning()) {
            AfterLongStep(window, [window] { closeAtRequest(window); });
            return;
        }
        EndModalWindows();
        window->close();
    }

    static void *connection()
    {
#if QT_CONFIG(xcb)
        const auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
        return x11 ? x11->connection() : nullptr;
#else
        return nullptr; // the requests come as messages to the window itself
#endif
    }

    QWidget *window_;
    platform::CloseRequests requests_;
};

} // namespace

frmMain::frmMain()
{
    initialize();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(kApplicationTitle);
    setWindowIcon(ApplicationIcon());
    setWindowFlags(Qt::Window | kFixedBorder);
    setFont(WindowFont());
    createControls();
    createMenus();
    setFixedSize(sizeHint());
    CenterOnScreen(this);
    // Before the window is first shown: a session manager may ask it to close
    // the moment it is mapped. Its native window and the leader of its group
    // are made here for that.
    closeRequests_ = std::make_unique<CloseRequestFilter>(this);
    qApp->installNativeEventFilter(closeRequests_.get());
    SetUserInterface(this);
    load();
}

frmMain::~frmMain()
{
    if (CurrentUserInterface() == this)
        SetUserInterface(nullptr);
}

void frmMain::initialize()
{
    platform::prepareUserInterface();
    // Leftovers off the window's thread, so that a large Skins folder does not
    // hold up the start.
    StartRun(Leftovers::RemovedInBackground);
}

void frmMain::createControls()
{
    auto *client = new QWidget(this);
    client->setFixedSize(kClientSize);
    setCentralWidget(client);

    Frame1 = makeFrame(client, "Frame1", QStringLiteral("Список скинов"),
                       TwipsRect(120, 240, 5535, 3735));
    // A plain list of names: thousands of skins cost one string each.
    File1 = new QListView(Frame1);
    placeInFrame(File1, "File1", TwipsRect(120, 240, 5295, 3405));
    skins_ = new SkinList(File1);
    File1->setSelectionMode(QAbstractItemView::SingleSelection);
    File1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    File1->setUniformItemSizes(true); // lays out thousands of names without measuring each

    Frame2 = makeFrame(client, "Frame2", QStringLiteral("Предварительный просмотр"),
                       TwipsRect(5760, 240, 6015, 2175));
    Image1 = new QLabel(Frame2);
    placeInFrame(Image1, "Image1", TwipsRect(120, 240, 5775, 1815));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Frame3 =
        makeFrame(client, "Frame3", QStringLiteral("Описание"), TwipsRect(5760, 2400, 6015, 1575));
    Label1 = new QLabel(Frame3);
    placeInFrame(Label1, "Label1", TwipsRect(120, 240, 5775, 1215));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setTextFormat(Qt::PlainText);
    Label1->setWordWrap(true);

    btnApplySk = makeButton(client, "btnApplySk", QStringLiteral("Применить скин"),
                            TwipsRect(240, 4080, 2175, 375));
    btnDelSkin = makeButton(client, "btnDelSkin", QStringLiteral("Удалить"),
                            TwipsRect(2520, 4080, 2295, 375));
    btnPref = makeButton(client, "btnPref", QStringLiteral("Настройки"),
                         TwipsRect(4920, 4080, 2175, 375));

    setTabOrder(btnApplySk, btnDelSkin);
    setTabOrder(btnDelSkin, btnPref);
    setTabOrder(btnPref, File1);
    btnApplySk->setFocus();

    connect(File1->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!skins_->selected().empty())
            File1Click();
    });
    connect(skins_, &SkinList::listed, this, &frmMain::showListed);
    connect(skins_, &SkinList::unwatched, this, [this](const QString &folder) {
        AfterLongStep(this, [this, folder] {
            showWarning(QStringLiteral("Изменения папки «%1», сделанные другими программами, не "
                                       "видны в списке: система отказалась следить за ней "
                                       "(возможно, исчерпан предел "
                                       "fs.inotify.max_user_watches).")
                            .arg(QDir::toNativeSeparators(folder)));
        });
    });
    drop_ = new SkinDrop(File1);
    connect(drop_, &SkinDrop::added, skins_, &SkinList::selectWhenListed);
    connect(btnApplySk, &QPushButton::clicked, this, &frmMain::btnApplySkClick);
    connect(btnDelSkin, &QPushButton::clicked, this, &frmMain::btnDelSkinClick);
    connect(btnPref, &QPushButton::clicked, this, &frmMain::btnPrefClick);
}

void frmMain::createMenus()
{
    const auto addMenu = [this](const char *menuName, const QString &menuCaption,
                                const char *itemName, const QString &itemCaption,
                                void (frmMain::*handler)()) {
        QMenu *menu = menuBar()->addMenu(menuCaption);
        menu->setObjectName(QLatin1StringView(menuName));
        QAction *item = menu->addAction(itemCaption);
        item->setObjectName(QLatin1StringView(itemName));
        connect(item, &QAction::triggered, this, handler);
    };
    addMenu("mnuFile", QStringLiteral("Файл"), "mnuExit", QStringLiteral("Выход"),
            &frmMain::mnuExitClick);
    addMenu("mnuTools", QStringLiteral("Инструменты"), "mnuDestEditor",
            QStringLiteral("Редактор описаний"), &frmMain::mnuDestEditorClick);
    addMenu("mnuHelp", QStringLiteral("Справка"), "mnuAbout", QStringLiteral("О программе"),
            &frmMain::mnuAboutClick);

    auto *file = findChild<QMenu *>(QStringLiteral("mnuFile"));
    auto *exportSkinAction = new QAction(QStringLiteral("Экспорт скина…"), file);
    exportSkinAction->setObjectName(QStringLiteral("exportSkinAction"));
    file->insertAction(file->actions().constFirst(), exportSkinAction); // before "Выход"
    connect(exportSkinAction, &QAction::triggered, this, &frmMain::exportSkin);

    auto *tools = findChild<QMenu *>(QStringLiteral("mnuTools"));
    undoApplyAction_ = tools->addAction(QStringLiteral("Вернуть предыдущий скин"));
    undoApplyAction_->setObjectName(QStringLiteral("undoApplyAction"));
    connect(undoApplyAction_, &QAction::triggered, this, &frmMain::undoApply);
    QAction *historyAction = tools->addAction(QStringLiteral("Журнал скинов"));
    historyAction->setObjectName(QStringLiteral("historyAction"));
    connect(historyAction, &QAction::triggered, this, &frmMain::showHistory);
    QAction *galleryAction = tools->addAction(QStringLiteral("Галерея скинов"));
    galleryAction->setObjectName(QStringLiteral("galleryAction"));
    connect(galleryAction, &QAction::triggered, this, &frmMain::showGallery);
    connect(tools, &QMenu::aboutToShow, this, &frmMain::updateUndo);

    // Only where the viewer lives in a Wine prefix apart from the program.
    if (platform::viewerRunsUnderWine()) {
        auto *viewerFolderAction = new QAction(QStringLiteral("Папка Kelvora…"), file);
        viewerFolderAction->setObjectName(QStringLiteral("viewerFolderAction"));
        file->insertAction(exportSkinAction, viewerFolderAction);
        connect(viewerFolderAction, &QAction::triggered, this, &frmMain::chooseViewerFolder);
    }
}

void frmMain::load()
{
    if (IsFlagOn(Flag::ToolTipsEnable))
        createToolTips();
    updateUndo();
    // Read off the window's thread: the window is on screen before a large folder is read.
    skins_->reread(SkinList::Selection::Clear);
}

void frmMain::createToolTips()
{
    cToolTipEx &tips = toolTips();
    tips.CreateToolTip(WidgetHandle(this), TTS_BALLOON, TTI_INFO, QStringLiteral("Skin Manager"),
                       100, 500, 10000, -1, -1);
    tips.AddToolTip(WidgetHandle(btnApplySk), QStringLiteral("Меняет скин на выбраный"), 0);
    tips.AddToolTip(WidgetHandle(btnDelSkin), QStringLiteral("Удаляет скин из папки программы"), 0);
    tips.AddToolTip(WidgetHandle(btnPref), QStringLiteral("Настройка параметров программы"), 0);
    tips.AddToolTip(WidgetHandle(File1),
                    QStringLiteral("Список скинов доступных для применения.\r\n"
                                   "Файлы находятся в Kelvora\\Skins"),
                    0);
}

void frmMain::refreshSkinList(const std::filesystem::path &gone)
{
    // Cleared first: a selected row that goes would hand its selection on.
    skins_->reread(SkinList::Selection::Clear);
    if (!gone.empty())
        skins_->forget(gone);
}

// The window says why its folder cannot be read once, at load; later reads,
// which follow what other programs do to the folder, stay quiet.
void frmMain::showListed(const std::optional<FileError> &failure)
{
    if (!std::exchange(firstListing_, false) || !failure)
        return;
    if (isVisible())
        AfterLongStep(this, [this, error = *failure] { ShowFileError(this, error); });
    else
        pendingListError_ = failure;
}

void frmMain::activeSkinChanged(const std::filesystem::path &applied)
{
    if (applied.empty())
        skins_->markActive();
    else
        skins_->markApplied(applied);
    updateUndo();
}

std::filesystem::path frmMain::markedSkin() const
{
    return skins_->model().firstActive();
}

// The active skin file may be another one now. Tooltips are made at load
// only: a change of their setting counts from the next start.
void frmMain::settingsSaved()
{
    skins_->markActive();
}

void frmMain::updateUndo()
{
    undoApplyAction_->setEnabled(CanUndoApply());
}

void frmMain::showMessage(const QString &text, Icon icon, const QString &caption)
{
    ShowMessage(WindowActedIn(this), text, icon, caption);
}

void frmMain::showError(const FileError &error)
{
    ShowFileError(WindowActedIn(this), error);
}

void frmMain::runLongStep(const QString &waitingFor, const std::function<void()> &work)
{
    RunLongStep(WindowActedIn(this), waitingFor, work);
}

void frmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (pendingListError_)
        AfterLongStep(this, [this] {
            if (const std::optional<FileError> error = std::exchange(pendingListError_, {}))
                ShowFileError(this, *error);
        });
}

void frmMain::closeEvent(QCloseEvent *event)
{
    toolTips().DestroyToolTip();
    event->accept();
}

void frmMain::File1Click()
{
    const std::filesystem::path name = skins_->selected();
    const Result<QString> description = ReadDescription(SkinFilePath(name));
    if (!description.ok()) {
        ShowFileError(this, *description.error);
        return;
    }
    Label1->setText(ShownDescription(description.value));
    Module1::PreviewPath = PreviewPathFor(name);
    if (const std::optional<QPixmap> preview = LoadPreview(Module1::PreviewPath)) {
        Image1->setPixmap(*preview);
        Image1->resize(preview->size()); // natural size, cut off by the frame
    }
}

void frmMain::btnApplySkClick()
{
    ApplySkin(skins_->selected());
}

void frmMain::btnDelSkinClick()
{
    // Deleting is silent here: a skin that stays is not reported, it stays listed.
    [[maybe_unused]] const Status stays = DeleteSkin(skins_->selected());
}

void frmMain::btnPrefClick()
{
    frmPref dialog;
    ShowModal(dialog);
}

void frmMain::chooseViewerFolder()
{
    const std::optional<std::filesystem::path> folder = ChangeViewerFolder();
    if (!folder)
        return;
    // Only the program's own folder can fail to be named, never a chosen one.
    [[maybe_unused]] const Status ignored = UseApplicationFolder(*folder);
    Label1->clear();
    Image1->clear();
    Module1::PreviewPath.clear();
    skins_->reread(SkinList::Selection::Clear);
    updateUndo();
}

void frmMain::exportSkin()
{
    const std::filesystem::path name = skins_->selected();
    if (name.empty()) {
        ShowMessage(this, kChooseSkinFromList, UserInterface::Icon::Information, kApplicationTitle);
        return;
    }
    const QString base = FromNativePath(name).chopped(4);
    QFileDialog chooser(this, QStringLiteral("Экспорт скина"),
                        QDir(QDir::homePath()).filePath(base + QStringLiteral(".zip")),
                        QStringLiteral("Архивы zip (*.zip)"));
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setDefaultSuffix(QStringLiteral("zip"));
    if (ShowModal(chooser) != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return;
    const QString zip = chooser.selectedFiles().constFirst();
    // The dialog gives text: a folder named in other bytes would come back as another.
    if (MayNameAnotherFile(zip)) {
        ShowMessage(this,
                    QStringLiteral("Имя папки «%1» записано не в UTF-8, и окно выбора файла "
                                   "передаёт его искажённым. Выберите другую папку или "
                                   "запишите архив командой --export <имя> ФАЙЛ.zip.")
                        .arg(QDir::toNativeSeparators(QFileInfo(zip).path())),
                    UserInterface::Icon::Critical, kApplicationTitle);
        return;
    }
    Status failed;
    RunLongStep(this, QStringLiteral("Запись архива…"),
                [&failed, &name, &zip] { failed = ExportSkin(name, ToNativePath(zip)); });
    if (failed)
        ShowFileError(this, *failed);
}

void frmMain::mnuExitClick()
{
    QCoreApplication::exit(0);
}

void frmMain::mnuDestEditorClick()
{
    frmCommentMenu dialog;
    ShowModal(dialog);
}

void frmMain::showGallery()
{
    frmGallery gallery(skins_->model(), this);
    ShowModal(gallery);
    // The list follows the gallery's apply, deletes and marks as they happen,
    // so it is not read again: the skin applied last there is selected at once
    // as if the user had chosen it, without comparing every skin again.
    if (!gallery.lastApplied().empty())
        skins_->select(gallery.lastApplied());
}

void frmMain::mnuAboutClick()
{
    frmAbout dialog;
    ShowModal(dialog);
}

void frmMain::undoApply()
{
    UndoApply();
}

void frmMain::addSkinFiles(const std::vector<std::filesystem::path> &files)
{
    drop_->addFiles(files);
}

void frmMain::showHistory()
{
    frmHistory dialog;
    if (ShowModal(dialog) == QDialog::Accepted && dialog.chosen())
        ReturnToEntry(*dialog.chosen());
}

cToolTipEx &frmMain::toolTips()
{
    if (!toolTipHelper_)
        toolTipHelper_ = std::make_unique<cToolTipEx>();
    return *toolTipHelper_;
}
