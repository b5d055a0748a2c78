#include "BalloonGeometry.h"

#include <QFontMetrics>
#include <QWidget>

#include <algorithm>

namespace {

constexpr int Margin = 8;
constexpr int IconGap = 6;
constexpr int TitleGap = 4;
constexpr int Radius = 8;
constexpr int StemHeight = 14;
constexpr int StemWidth = 14;
constexpr int StemOverlap = 4;
// The stem's tip lies this far inside the body's left edge when there is room.
constexpr int StemInset = 18;
// Keeps the pointer's hot spot off the tip, so the pointer stays over the control.
constexpr int PointerGap = 2;
// A plain tip sits below the pointer's arrow.
constexpr int PointerHeight = 20;

QRect centredInRow(QPoint rowTopLeft, int rowHeight, QSize size)
{
    return QRect(rowTopLeft + QPoint(0, (rowHeight - size.height()) / 2), size);
}

int keptOnScreen(int position, int length, int screenStart, int screenLength)
{
    return std::max(screenStart, std::min(position, screenStart + screenLength - length));
}

} // namespace

BalloonLayout LayoutBalloon(QSize iconSize, const QString &title, const QFont &titleFont,
                            const QString &text, const QFont &textFont, int maxWidth)
{
    BalloonLayout layout;
    int top = Margin;
    int right = Margin;
    if (!iconSize.isEmpty() || !title.isEmpty()) {
        const QSize titleSize = QFontMetrics(titleFont).size(Qt::TextSingleLine, title);
        const int rowHeight = std::max(iconSize.height(), titleSize.height());
        int left = Margin;
        if (!iconSize.isEmpty()) {
            layout.icon = centredInRow(QPoint(left, top), rowHeight, iconSize);
            left += iconSize.width() + IconGap;
        }
        layout.title = centredInRow(QPoint(left, top), rowHeight, titleSize);
        right = layout.title.left() + titleSize.width();
        top += rowHeight + TitleGap;
    }
    const bool wraps = maxWidth >= 0;
    const QRect available(0, 0, wraps ? maxWidth : QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QRect textBounds =
        QFontMetrics(textFont).boundingRect(available, wraps ? Qt::TextWordWrap : 0, text);
    layout.text = QRect(Margin, top, textBounds.width(), textBounds.height());
    right = std::max(right, layout.text.left() + textBounds.width());
    layout.body = QSize(right + Margin, layout.text.bottom() + 1 + Margin);
    return layout;
}

BalloonPlacement PlaceBalloon(QSize body, QPoint anchor, const QRect &screen, bool withStem)
{
    BalloonPlacement placement;
    if (!withStem) {
        const int left = keptOnScreen(anchor.x(), body.width(), screen.left(), screen.width());
        const int top =
            keptOnScreen(anchor.y() + PointerHeight, body.height(), screen.top(), screen.height());
        placement.frame = QRect(QPoint(left, top), body);
        placement.body = QRect(QPoint(0, 0), body);
        return placement;
    }

    const int height = StemHeight + body.height();
    const bool below = anchor.y() + PointerGap + height <= screen.bottom() + 1;
    const int top = below ? anchor.y() + PointerGap : anchor.y() - PointerGap - height;
    const int left =
        keptOnScreen(anchor.x() - StemInset, body.width(), screen.left(), screen.width());
    placement.frame = QRect(left, top, body.width(), height);
    placement.body = QRect(QPoint(0, below ? StemHeight : 0), body);
    placement.radius = Radius;

    const int tipX = std::clamp(anchor.x() - left, Radius, std::max(Radius, body.width() - Radius));
    const bool baseToTheRight = tipX + StemWidth <= body.width() - Radius;
    const int baseFarX = baseToTheRight ? tipX + StemWidth : tipX - StemWidth;
    const int tipY = below ? 0 : height;
    // The base lies inside the body, so body and stem join without a seam.
    const int baseY = below ? StemHeight + StemOverlap : body.height() - StemOverlap;
    placement.stem = QPolygon({QPoint(tipX, tipY), QPoint(tipX, baseY), QPoint(baseFarX, baseY)});
    return placement;
}

QPainterPath BalloonOutline(const BalloonPlacement &placement, qreal inset)
{
    QPainterPath body;
    const QRectF bodyRect = QRectF(placement.body).adjusted(inset, inset, -inset, -inset);
    body.addRoundedRect(bodyRect, placement.radius, placement.radius);
    if (placement.stem.isEmpty())
        return body;

    // The sides move inwards; the base stays inside the body.
    const QPoint tip = placement.stem.at(0);
    const QPoint baseNear = placement.stem.at(1);
    const QPoint baseFar = placement.stem.at(2);
    const qreal inwards = baseFar.x() > baseNear.x() ? inset : -inset;
    const qreal towardsBody = baseNear.y() > tip.y() ? inset : -inset;
    const QPolygonF stem({QPointF(tip) + QPointF(inwards, towardsBody),
                          QPointF(baseNear) + QPointF(inwards, 0),
                          QPointF(baseFar) - QPointF(inwards, 0)});
    QPainterPath stemPath;
    stemPath.addPolygon(stem);
    stemPath.closeSubpath();
    return body.united(stemPath);
}
