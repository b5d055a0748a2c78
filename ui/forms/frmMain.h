#pragma once

#include "FileError.h"
#include "UserInterface.h"

#include <QMainWindow>

#include <filesystem>
#include <memory>
#include <vector>

class QAbstractNativeEventFilter;
class QAction;
class QGroupBox;
class QLabel;
class QListView;
class QPushButton;
class SkinDrop;
class SkinList;
class cToolTipEx;

// The main window: the skin list with the selected skin's preview and
// description, and the buttons that apply and delete it.
class frmMain : public QMainWindow, public UserInterface
{
public:
    frmMain();
    ~frmMain() override;

    // UserInterface
    void showMessage(const QString &text, Icon icon, const QString &caption) override;
    void showError(const FileError &error) override;
    void refreshSkinList(const std::filesystem::path &gone) override;
    void runLongStep(const QString &waitingFor, const std::function<void()> &work) override;
    void activeSkinChanged(const std::filesystem::path &applied) override;
    std::filesystem::path markedSkin() const override;
    void settingsSaved() override;

    // The window's tooltip helper, made on first use.
    cToolTipEx &toolTips();

    // Adds the files given to the program to open as if they were dropped on the list.
    void addSkinFiles(const std::vector<std::filesystem::path> &files);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void initialize();
    void createControls();
    void createMenus();
    void load();
    void createToolTips();

    void File1Click();
    void btnApplySkClick();
    void btnDelSkinClick();
    void btnPrefClick();
    void chooseViewerFolder();
    void exportSkin();
    void mnuExitClick();
    void mnuDestEditorClick();
    void mnuAboutClick();
    void undoApply();
    void showHistory();
    void showGallery();

    void showListed(const std::optional<FileError> &failure);
    void updateUndo();

    QGroupBox *Frame1 = nullptr;
    QListView *File1 = nullptr;
    SkinList *skins_ = nullptr;
    SkinDrop *drop_ = nullptr;
    QGroupBox *Frame2 = nullptr;
    QLabel *Image1 = nullptr;
    QGroupBox *Frame3 = nullptr;
    QLabel *Label1 = nullptr;
    QPushButton *btnApplySk = nullptr;
    QPushButton *btnDelSkin = nullptr;
    QPushButton *btnPref = nullptr;
    QAction *undoApplyAction_ = nullptr;

    std::unique_ptr<cToolTipEx> toolTipHelper_;
    std::unique_ptr<QAbstractNativeEventFilter> closeRequests_; // made before the first show
    bool firstListing_ = true;                  // only the read at load reports a failure
    std::optional<FileError> pendingListError_; // shown once the window is on screen
};
