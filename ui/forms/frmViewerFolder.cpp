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
    QLabel *Label1 = addLabel("Label1", intro, TwipsRect(120, 120, 6600, 615));
    List1 = place(new QListWidget(this), "List1", TwipsRect(120, 780, 6600, 2040));
    Command1 = addButton("Command1", QStringLiteral("OK"), TwipsRect(2520, 2940, 1335, 375));
    QPushButton *btnBrowse =
        addButton("btnBrowse", QStringLiteral("Обзор…"), TwipsRect(3960, 2940, 1335, 375));
    QPushButton *Command2 =
        addButton("Command2", QStringLiteral("Отмена"), TwipsRect(5400, 2940, 1320, 375));

    if (!current.empty() && std::find(folders_.begin(), folders_.end(), current) == folders_.end())
        folders_.insert(folders_.begin(), current);
    for (const std::filesystem::path &folder : folders_)
        List1->addItem(ShownPath(folder));
    const auto selected = std::find(folders_.begin(), folders_.end(), current);
    List1->setCurrentRow(selected == folders_.end() ? 0 : int(selected - folders_.begin()));
    Command1->setEnabled(List1->currentRow() >= 0);
    setTabChain({List1, Command1, btnBrowse, Command2});

    // A long path takes the introduction past its three lines: the dialog
    // grows by what the text lacks, and what is below it moves down.
    if (const int lacking = Label1->heightForWidth(Label1->width()) - Label1->height();
        lacking > 0) {
        Label1->resize(Label1->width(), Label1->height() + lacking);
        for (QWidget *below :
             std::initializer_list<QWidget *>{List1, Command1, btnBrowse, Command2})
            below->move(below->x(), below->y() + lacking);
        setFixedSize(width(), height() + lacking);
        CenterOnScreen(this);
    }

    connect(List1, &QListWidget::currentRowChanged, this,
            [this](int row) { Command1->setEnabled(row >= 0); });
    connect(List1, &QListWidget::itemActivated, this, &frmViewerFolder::Command1Clicked);
    connect(Command1, &QPushButton::clicked, this, &frmViewerFolder::Command1Clicked);
    connect(btnBrowse, &QPushButton::clicked, this, &frmViewerFolder::btnBrowseClicked);
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
}

void frmViewerFolder::Command1Clicked()
{
    const int row = List1->currentRow();
    if (row < 0)
        return;
    chosen_ = folders_[std::size_t(row)];
    accept();
}

void frmViewerFolder::btnBrowseClicked()
{
    const int row = List1->currentRow();
    const QString start = row >= 0 ? List1->item(row)->text() : QDir::homePath();
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
