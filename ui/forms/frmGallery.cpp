#include "frmGallery.h"

#include "AppIcon.h"
#include "frmCommentMenu.h"
#include "GalleryModel.h"
#include "GalleryView.h"
#include "Messages.h"
#include "ModalWindows.h"
#include "PlatformEdge.h"
#include "Settings.h"
#include "SkinActions.h"
#include "SkinDrop.h"
#include "SkinLibrary.h"
#include "ThumbnailLoader.h"

#include <QAction>
#include <QEvent>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QSlider>
#include <QVBoxLayout>

namespace {

// Kept beside the settings, in a group of the gallery's own.
const QString kPlacementKey = QStringLiteral("Gallery/Placement");
const QString kPictureSideKey = QStringLiteral("Gallery/PictureSide");

constexpr int kSmallestSide = 96;
constexpr int kLargestSide = 320;
constexpr int kFirstSide = 128; // the desktop's normal thumbnail size: decoded once, shared
const QSize kFirstSize(900, 620);

QAction *addGridAction(QWidget *owner, const char *name, const QString &caption)
{
    auto *action = new QAction(caption, owner);
    action->setObjectName(QLatin1StringView(name));
    owner->addAction(action);
    return action;
}

} // namespace

frmGallery::frmGallery(const SkinListModel &skins, QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint)
    , pictures_(new ThumbnailLoader(this))
    , watched_(new QFileSystemWatcher(this))
    , model_(new GalleryModel(skins, this))
{
    setObjectName(QStringLiteral("frmGallery"));
    setWindowTitle(QStringLiteral("Галерея скинов"));
    setWindowIcon(ApplicationIcon());
    createControls();
    restorePlacement();
    if (model_->rowCount() > 0)
        grid_->setCurrentIndex(model_->index(0));
}

frmGallery::~frmGallery() = default;

void frmGallery::createControls()
{
    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("filter"));
    filter_->setPlaceholderText(QStringLiteral("Найти по имени или описанию"));
    filter_->setClearButtonEnabled(true);

    side_ = new QSlider(Qt::Horizontal, this);
    side_->setObjectName(QStringLiteral("pictureSide"));
    side_->setRange(kSmallestSide, kLargestSide);
    side_->setSingleStep(8);
    side_->setPageStep(32);
    side_->setFixedWidth(160);

    grid_ = new GalleryView(*pictures_, this);
    grid_->setObjectName(QStringLiteral("grid"));
    grid_->setModel(model_);
    new SkinDrop(grid_);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);

    auto *top = new QHBoxLayout;
    top->addWidget(filter_, 1);
    top->addWidget(new QLabel(QStringLiteral("Размер:"), this));
    top->addWidget(side_);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(grid_, 1);
    setTabOrder(filter_, grid_);
    setTabOrder(grid_, side_);

    QAction *apply = addGridAction(grid_, "applyAction", QStringLiteral("Применить скин"));
    QAction *remove = addGridAction(grid_, "deleteAction", QStringLiteral("Удалить"));
    QAction *describe =
        addGridAction(grid_, "describeAction", QStringLiteral("Изменить описание…"));

    connect(filter_, &QLineEdit::textChanged, this, &frmGallery::filterTextChanged);
    // Enter in the field applies the skin chosen among those found.
    connect(filter_, &QLineEdit::returnPressed, this, &frmGallery::applyChosen);
    connect(side_, &QSlider::valueChanged, this, &frmGallery::pictureSideChanged);
    connect(grid_, &QAbstractItemView::activated, this, &frmGallery::applyChosen);
    connect(grid_, &GalleryView::deletePressed, this, &frmGallery::deleteChosen);
    connect(grid_, &QWidget::customContextMenuRequested, this, &frmGallery::showContextMenu);
    connect(grid_, &GalleryView::rowsInViewChanged, this, &frmGallery::askForPictures);
    // The descriptions are read once the first screen shows its pictures.
    connect(grid_, &GalleryView::picturesShown, model_, &GalleryModel::readDescriptions);
    connect(pictures_, &ThumbnailLoader::decoded, this, &frmGallery::pictureDecoded);
    connect(watched_, &QFileSystemWatcher::fileChanged, this, &frmGallery::askForPictures);
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        chosenBeforeReset_ = chosen();
        rowBeforeReset_ = grid_->currentIndex().row();
    });
    connect(model_, &QAbstractItemModel::modelReset, this, &frmGallery::chooseAfterReset);
    connect(apply, &QAction::triggered, this, &frmGallery::applyChosen);
    connect(remove, &QAction::triggered, this, &frmGallery::deleteChosen);
    connect(describe, &QAction::triggered, this, &frmGallery::editChosenDescription);
}

void frmGallery::restorePlacement()
{
    const std::unique_ptr<QSettings> settings = OpenUserSettings();
    const int side = settings->value(kPictureSideKey, kFirstSide).toInt();
    side_->setValue(std::clamp(side, kSmallestSide, kLargestSide));
    pictureSideChanged(side_->value());
    resize(kFirstSize);
    if (!restoreGeometry(settings->value(kPlacementKey).toByteArray()) && parentWidget())
        move(parentWidget()->geometry().center() - rect().center());
}

void frmGallery::savePlacement()
{
    const std::unique_ptr<QSettings> settings = OpenUserSettings();
    settings->setValue(kPlacementKey, saveGeometry());
    settings->setValue(kPictureSideKey, side_->value());
}

void frmGallery::done(int result)
{
    // Where the store cannot be written, the gallery opens where it did before.
    savePlacement();
    QDialog::done(result);
}

// A picture written in place changes no folder: besides the watch of each
// picture asked for, which the system may refuse at its limit of watches, the
// pictures in view are looked at again when the user comes back to the gallery.
void frmGallery::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        askForPictures();
}

void frmGallery::filterTextChanged(const QString &text)
{
    model_->setFilter(text);
}

void frmGallery::pictureSideChanged(int side)
{
    grid_->setPictureSide(side);
}

// The pictures of the cells in view, then of a screen further down.
void frmGallery::askForPictures()
{
    const auto [first, last] = grid_->rowsInView();
    const int end = std::min(model_->rowCount(), last + 1 + (last + 1 - first));
    std::vector<std::filesystem::path> pictures;
    const std::filesystem::path folder = SkinsFolderPath(); // named once, not for each cell
    for (int row = first; row < end; ++row)
        pictures.push_back(PreviewBeside(folder / model_->skinAt(row).file));
    pictures_->want(pictures, grid_->pictureSide());
    if (const QStringList before = watched_->files(); !before.isEmpty())
        watched_->removePaths(before);
    QStringList watched;
    for (const std::filesystem::path &picture : pictures)
        watched.append(FromNativePath(picture));
    // A picture that is not there is not watched: its arrival changes the folder.
    if (!watched.isEmpty())
        watched_->addPaths(watched);
    firstAsked_ = first;
    asked_ = std::move(pictures);
}

// Only the cell of the picture is drawn again.
void frmGallery::pictureDecoded(const std::filesystem::path &picture)
{
    const auto found = std::find(asked_.begin(), asked_.end(), picture);
    if (found != asked_.end())
        grid_->update(model_->index(firstAsked_ + int(found - asked_.begin())));
}

// The chosen skin stays chosen while it is shown; else the one in its place is.
void frmGallery::chooseAfterReset()
{
    int row = chosenBeforeReset_.empty() ? -1 : model_->rowOf(chosenBeforeReset_);
    if (row < 0)
        row = std::min(std::max(rowBeforeReset_, 0), model_->rowCount() - 1);
    if (row >= 0) {
        grid_->setCurrentIndex(model_->index(row));
        grid_->scrollTo(model_->index(row));
    }
}

void frmGallery::showContextMenu(const QPoint &at)
{
    const QModelIndex index = grid_->indexAt(at);
    if (!index.isValid())
        return;
    grid_->setCurrentIndex(index);
    QMenu menu(this);
    menu.addActions(grid_->actions());
    menu.exec(grid_->viewport()->mapToGlobal(at));
}

std::filesystem::path frmGallery::chosen() const
{
    const QModelIndex current = grid_->currentIndex();
    return current.isValid() ? model_->skinAt(current.row()).file : std::filesystem::path();
}

void frmGallery::applyChosen()
{
    const std::filesystem::path skin = chosen();
    if (skin.empty())
        return;
    ApplySkin(skin);
    lastApplied_ = skin;
}

void frmGallery::deleteChosen()
{
    if (const std::filesystem::path skin = chosen(); !skin.empty())
        if (const Status failed = DeleteSkin(skin))
            ShowFileError(this, *failed);
}

void frmGallery::editChosenDescription()
{
    const std::filesystem::path skin = chosen();
    if (skin.empty())
        return;
    frmCommentMenu editor(this);
    if (const Status failed = editor.openFile(FromNativePath(SkinFilePath(skin)))) {
        ShowFileError(this, *failed);
        return;
    }
    ShowModal(editor);
    // The folder may have been read again meanwhile.
    if (const int row = model_->rowOf(skin); row >= 0)
        model_->rereadDescription(row);
}
