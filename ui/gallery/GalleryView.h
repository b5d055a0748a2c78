#pragma once

#include <QListView>

#include <utility>

class ThumbnailLoader;

// The gallery's grid: a cell per skin, its picture fitted into a square above
// its name, a placeholder with the name where there is no picture to show, and
// the check mark on the skins that hold the active skin's bytes. Cells are
// drawn from the pictures in memory; the grid says which rows are in view so
// that their pictures can be asked for.
class GalleryView : public QListView
{
    Q_OBJECT

public:
    GalleryView(const ThumbnailLoader &pictures, QWidget *parent);

    // The side of the square a picture is fitted into.
    void setPictureSide(int side);
    int pictureSide() const { return side_; }

    // The first and last rows with a cell in view; first > last when none is.
    std::pair<int, int> rowsInView() const;

    void reset() override;

signals:
    // When other rows, or other skins, or another size come into view than
    // the ones before: at a resize, before the cells are laid out, and at a paint.
    void rowsInViewChanged();
    // The Delete key, on a chosen cell.
    void deletePressed();
    // After a paint that showed every cell in view with its picture or placeholder.
    void picturesShown();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void noteRowsInView();
    bool everyPictureInMemory(std::pair<int, int> rows) const;

    const ThumbnailLoader &pictures_;
    int side_ = 0;
    std::pair<int, int> rowsNoted_{0, -1};
};
