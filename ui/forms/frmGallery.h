#pragma once

#include <QDialog>

class QFileSystemWatcher;

#include <filesystem>
#include <vector>

class GalleryModel;
class GalleryView;
class QLineEdit;
class QSlider;
class SkinListModel;
class ThumbnailLoader;

// "Галерея скинов": the skins of the main window's list as a grid of their
// pictures, found by typing a part of a name or description. A skin is applied,
// deleted or described here as in the main window, whose list follows.
class frmGallery : public QDialog
{
    Q_OBJECT

public:
    explicit frmGallery(const SkinListModel &skins, QWidget *parent = nullptr);
    ~frmGallery() override;

    // The file name of the skin applied here last; empty when none was.
    const std::filesystem::path &lastApplied() const { return lastApplied_; }

    void done(int result) override;

protected:
    void changeEvent(QEvent *event) override;

private:
    void createControls();
    void restorePlacement();
    void savePlacement();

    void filterTextChanged(const QString &text);
    void pictureSideChanged(int side);
    void askForPictures();
    void pictureDecoded(const std::filesystem::path &picture);
    void chooseAfterReset();
    void showContextMenu(const QPoint &at);

    void applyChosen();
    void deleteChosen();
    void editChosenDescription();

    // The file name of the chosen skin; empty when none is chosen.
    std::filesystem::path chosen() const;

    ThumbnailLoader *pictures_;
    // The pictures asked for: one written in place changes no folder.
    QFileSystemWatcher *watched_;
    GalleryModel *model_;
    QLineEdit *filter_ = nullptr;
    QSlider *side_ = nullptr;
    GalleryView *grid_ = nullptr;
    std::vector<std::filesystem::path> asked_; // the pictures of the rows from firstAsked_ on
    int firstAsked_ = 0;
    std::filesystem::path lastApplied_;
    std::filesystem::path chosenBeforeReset_;
    int rowBeforeReset_ = -1;
};
