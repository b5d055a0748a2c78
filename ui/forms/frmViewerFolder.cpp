#include "frmViewerFolder.h"

#include "AppInfo.h"
#include "Messages.h"
#include "ModalWindows.h"
#include "PlatformEdge.h"
#include "SkinLibrary.h"
#include "WindowConventions.h"

#include <QDir>
#include <QFileDialog>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

namespace {

// Asks for a folder, on top of the dialog; empty when cancelled.
QString chooseFolder(QWidget *parent, const QString &start)
{
    QFileDialog dialog(parent, QStringLiteral("Папка Kelvora"), start);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    return ShowModal(dialog) == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

} // namespace

frmViewerFolder::frmViewerFolder(const QString &intro, std::vector<std::filesystem::path> found,
                                 const std::filesystem::path &current)
    : FixedDialog(QStringLiteral("Папка Kelvora"), 6840, 3480)
    , folders_(std::move(found))
{
    QLabel *introLabel = addLabel("introLabel", intro, TwipsRect(120, 120, 6600, 615));
    folderList_ = place(new QListWidget(this), "folderList", TwipsRect(120, 780, 6600, 2040));
    okButton_ = addButton("okButton", QStringLiteral("OK"), TwipsRect(2520, 2940, 1335, 375));
    QPushButton *browseButton =
        addButton("browseButton", QStringLiteral("Обзор…"), TwipsRect(3960, 2940, 1335, 375));
    QPushButton *cancelButton =
        addButton("cancelButton", QStringLiteral("Отмена"), TwipsRect(5400, 2940, 1320, 375));

    if (!current.empty() && std::find(folders_.begin(), folders_.end(), current) == folders_.end())
        folders_.insert(folders_.begin(), current);
    for (const std::filesystem::path &folder : folders_)
        folderList_->addItem(ShownPath(folder));
    const auto selected = std::find(folders_.begin(), folders_.end(), current);
    folderList_->setCurrentRow(selected == folders_.end() ? 0 : int(selected - folders_.begin()));
    okButton_->setEnabled(folderList_->currentRow() >= 0);
    setTabChain({folderList_, okButton_, browseButton, cancelButton});

    // A long path takes the introduction past its three lines: the dialog
    // grows by what the text lacks, and what is below it moves down.
    if (const int lacking = introLabel->heightForWidth(introLabel->width()) - introLabel->height();
        lacking > 0) {
        introLabel->resize(introLabel->width(), introLabel->height() + lacking);
        for (QWidget *below :
             std::initializer_list<QWidget *>{folderList_, okButton_, browseButton, cancelButton})
            below->move(below->x(), below->y() + lacking);
        setFixedSize(width(), height() + lacking);
        CenterOnScreen(this);
    }

    connect(folderList_, &QListWidget::currentRowChanged, this,
            [this](int row) { okButton_->setEnabled(row >= 0); });
    connect(folderList_, &QListWidget::itemActivated, this, &frmViewerFolder::acceptSelectedFolder);
    connect(okButton_, &QPushButton::clicked, this, &frmViewerFolder::acceptSelectedFolder);
    connect(browseButton, &QPushButton::clicked, this, &frmViewerFolder::browseForFolder);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void frmViewerFolder::acceptSelectedFolder()
{
    const int row = folderList_->currentRow();
    if (row < 0)
        return;
    chosen_ = folders_[std::size_t(row)];
    accept();
}

void frmViewerFolder::browseForFolder()
{
    const int row = folderList_->currentRow();
    const QString start = row >= 0 ? folderList_->item(row)->text() : QDir::homePath();
    const QString folder = chooseFolder(this, start);
    if (folder.isEmpty())
        return;
    // The dialog gives text, in which a name of other bytes (a Windows disk's
    // code page) has become replacement characters: never another folder.
    if (MayNameAnotherFile(folder)) {
        ShowMessage(this,
                    QStringLiteral("Имя папки «%1» или одной из папок на пути к ней записано не в "
                                   "UTF-8, и окно выбора папки передаёт его искажённым. Укажите "
                                   "эту папку при запуске программы: --folder <папка>.")
                        .arg(QDir::toNativeSeparators(folder)),
                    UserInterface::Icon::Critical, kApplicationTitle);
        return;
    }
    if (!IsViewerFolder(ToNativePath(folder))) {
        ShowMessage(this,
                    QStringLiteral("В папке «%1» нет ни Kelvora.exe, ни папки Skins. Выберите "
                                   "папку, в которую установлена Kelvora.")
                        .arg(QDir::toNativeSeparators(folder)),
                    UserInterface::Icon::Critical, kApplicationTitle);
        return;
    }
    chosen_ = ToNativePath(folder);
    accept();
}
