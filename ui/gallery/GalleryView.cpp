#include "GalleryView.h"

#include "GalleryModel.h"
#include "ThumbnailLoader.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {

constexpr int kPadding = 6;

const QString kCheckMark = QStringLiteral("✓");

const GalleryModel &galleryOf(const QModelIndex &index)
{
    return *static_cast<const GalleryModel *>(index.model());
}

// One cell: the picture's square, and the name in a line below it.
class CellPainter : public QStyledItemDelegate
{
public:
    CellPainter(const ThumbnailLoader &pictures, const GalleryView &view)
        : QStyledItemDelegate(const_cast<GalleryView *>(&view))
        , pictures_(pictures)
        , view_(view)
    {}

    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        return view_.gridSize();
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        const int side = view_.pictureSide();
        const QRect cell = option.rect.adjusted(1, 1, -1, -1);
        const QRect square(cell.left() + (cell.width() - side) / 2, cell.top() + kPadding, side,
                           side);
        const QRect nameLine(cell.left() + kPadding, square.bottom() + kPadding,
                             cell.width() - 2 * kPadding, option.fontMetrics.height());
        const QPalette &palette = option.palette;
        painter->save();
        painter->setFont(option.font);
        const bool selected = option.state & QStyle::State_Selected;
        if (selected)
            painter->fillRect(cell, palette.color(QPalette::Highlight));

        const GalleryModel &gallery = galleryOf(index);
        const QString name = gallery.skinAt(index.row()).shown;
        const QImage *picture =
            pictures_.find(PreviewPathFor(gallery.skinAt(index.row()).file), side);
        QRect shown = square; // where the mark goes
        if (picture && !picture->isNull())
            shown = drawPicture(*painter, square, *picture);
        else if (picture)
            drawPlaceholder(*painter, square, name, palette);

        // The name as the main list shows it: its line breaks on one line, the
        // rest elided, by the style's own drawing of an item's text.
        QStyleOptionViewItem text = option;
        text.rect = nameLine;
        text.text = displayText(name, text.locale);
        text.features = QStyleOptionViewItem::HasDisplay;
        text.displayAlignment = Qt::AlignHCenter | Qt::AlignTop;
        text.textElideMode = Qt::ElideMiddle;
        // The cell is highlighted already: the text only takes its colour.
        text.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus | QStyle::State_MouseOver);
        if (selected)
            text.palette.setColor(QPalette::Text, palette.color(QPalette::HighlightedText));
        const bool active = index.data(GalleryModel::ActiveRole).toBool();
        text.font.setBold(active);
        text.fontMetrics = QFontMetrics(text.font);
        const QWidget *widget = &view_;
        widget->style()->drawControl(QStyle::CE_ItemViewItem, &text, painter, widget);
        if (active)
            drawMark(*painter, shown, palette);
        painter->restore();
    }

private:
    // Returns where the picture went.
    static QRect drawPicture(QPainter &painter, const QRect &square, const QImage &picture)
    {
        const QSize size = picture.size().scaled(square.size(), Qt::KeepAspectRatio);
        const QRect target(square.left() + (square.width() - size.width()) / 2,
                           square.top() + (square.height() - size.height()) / 2, size.width(),
                           size.height());
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, picture);
        painter.restore();
        return target;
    }

    // A plain square with the name inside, where no picture can be shown.
    static void drawPlaceholder(QPainter &painter, const QRect &square, const QString &name,
                                const QPalette &palette)
    {
        painter.fillRect(square, palette.color(QPalette::Midlight));
        painter.setPen(palette.color(QPalette::Mid));
        painter.drawRect(square.adjusted(0, 0, -1, -1));
        painter.setPen(palette.color(QPalette::Text));
        painter.drawText(square.adjusted(kPadding, kPadding, -kPadding, -kPadding),
                         Qt::AlignCenter | Qt::TextWrapAnywhere, name);
    }

    // The check mark in a round badge on the picture's top left corner.
    static void drawMark(QPainter &painter, const QRect &picture, const QPalette &palette)
    {
        const int badge = painter.fontMetrics().height() + 4;
        const QRect circle(picture.left() + 2, picture.top() + 2, badge, badge);
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(palette.color(QPalette::Highlight));
        painter.drawEllipse(circle);
        painter.setPen(palette.color(QPalette::HighlightedText));
        painter.drawText(circle, Qt::AlignCenter, kCheckMark);
        painter.restore();
    }

    const ThumbnailLoader &pictures_;
    const GalleryView &view_;
};

} // namespace

GalleryView::GalleryView(const ThumbnailLoader &pictures, QWidget *parent)
    : QListView(parent)
    , pictures_(pictures)
{
    // A grid of cells of one size, laid out without asking each for its size.
    setViewMode(QListView::ListMode);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setMovement(QListView::Static);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setItemDelegate(new CellPainter(pictures_, *this));
}

void GalleryView::setPictureSide(int side)
{
    side_ = side;
    setGridSize(QSize(side + 2 * kPadding, side + 3 * kPadding + fontMetrics().height()));
    verticalScrollBar()->setSingleStep(gridSize().height() / 3);
    rowsNoted_ = {0, -1};
    viewport()->update();
}

void GalleryView::reset()
{
    rowsNoted_ = {0, -1};
    QListView::reset();
}

std::pair<int, int> GalleryView::rowsInView() const
{
    const int count = model() ? model()->rowCount() : 0;
    const QSize grid = gridSize();
    if (count == 0 || grid.isEmpty())
        return {0, -1};
    const int columns = std::max(1, viewport()->width() / grid.width());
    const int top = verticalOffset();
    const int firstLine = top / grid.height();
    const int lastLine = (top + viewport()->height() - 1) / grid.height();
    return {std::min(count - 1, firstLine * columns),
            std::min(count - 1, (lastLine + 1) * columns - 1)};
}

void GalleryView::paintEvent(QPaintEvent *event)
{
    QListView::paintEvent(event);
    noteRowsInView();
    if (everyPictureInMemory(rowsInView()))
        emit picturesShown();
}

// The rows in view follow from the grid's size alone, so their pictures are
// asked for while the cells are still being laid out.
void GalleryView::resizeEvent(QResizeEvent *event)
{
    QListView::resizeEvent(event);
    noteRowsInView();
}

void GalleryView::noteRowsInView()
{
    if (const std::pair<int, int> rows = rowsInView(); rows != rowsNoted_) {
        rowsNoted_ = rows;
        emit rowsInViewChanged();
    }
}

void GalleryView::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Delete) && currentIndex().isValid())
        emit deletePressed();
    else
        QListView::keyPressEvent(event);
}

bool GalleryView::everyPictureInMemory(std::pair<int, int> rows) const
{
    const auto &gallery = *static_cast<const GalleryModel *>(model());
    for (int row = rows.first; row <= rows.second; ++row)
        if (!pictures_.find(PreviewPathFor(gallery.skinAt(row).file), side_))
            return false;
    return true;
}
