#include "BalloonGeometry.h"

#include <QFontMetrics>
#include <QWidget>

#include <algorithm>

namespace {

constexpr int kMargin = 8;
constexpr int kIconGap = 6;
constexpr int kTitleGap = 4;
constexpr int kRadius = 8;
constexpr int kStemHeight = 14;
constexpr int kStemWidth = 14;
constexpr int kStemOverlap = 4;
// The stem's tip lies this far inside the body's left edge when there is room.
constexpr int kStemInset = 18;
// Keeps the pointer's hot spot off the tip, so the pointer stays over the control.
constexpr int kPointerGap = 2;
// A plain tip sits below the pointer's arrow.
constexpr int kPointerHeight = 20;

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
    int top = kMargin;
    int right = kMargin;
    if (!iconSize.isEmpty() || !title.isEmpty()) {
        const QSize titleSize = QFontMetrics(titleFont).size(Qt::TextSingleLine, title);
        const int rowHeight = std::max(iconSize.height(), titleSize.height());
        int left = kMargin;
        if (!iconSize.isEmpty()) {
            layout.icon = centredInRow(QPoint(left, top), rowHeight, iconSize);
            left += iconSize.width() + kIconGap;
        }
        layout.title = centredInRow(QPoint(left, top), rowHeight, titleSize);
        right = layout.title.left() + titleSize.width();
        top += rowHeight + kTitleGap;
    }
    const bool wraps = maxWidth >= 0;
    const QRect available(0, 0, wraps ? maxWidth : QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QRect textBounds =
        QFontMetrics(textFont).boundingRect(available, wraps ? Qt::TextWordWrap : 0, text);
    layout.text = QRect(kMargin, top, textBounds.width(), textBounds.height());
    right = std::max(right, layout.text.left() + textBounds.width());
    layout.body = QSize(right + kMargin, layout.text.bottom() + 1 + kMargin);
    return layout;
}

BalloonPlacement PlaceBalloon(QSize body, QPoint anchor, const QRect &screen, bool withStem)
{
    BalloonPlacement placement;
    if (!withStem) {
        const int left = keptOnScreen(anchor.x(), body.width(), screen.left(), screen.width());
        const int top =
            keptOnScreen(anchor.y() + kPointerHeight, body.height(), screen.top(), screen.height());
        placement.frame = QRect(QPoint(left, top), body);
        placement.body = QRect(QPoint(0, 0), body);
        return placement;
    }

    const int height = kStemHeight + body.height();
    const bool below = anchor.y() + kPointerGap + height <= screen.bottom() + 1;
    const int top = below ? anchor.y() + kPointerGap : anchor.y() - kPointerGap - height;
    const int left =
        keptOnScreen(anchor.x() - kStemInset, body.width(), screen.left(), screen.width());
    placement.frame = QRect(left, top, body.width(), height);
    placement.body = QRect(QPoint(0, below ? kStemHeight : 0), body);
    placement.radius = kRadius;

    const int tipX =
        std::clamp(anchor.x() - left, kRadius, std::max(kRadius, body.width() - kRadius));
    const bool baseToTheRight = tipX + kStemWidth <= body.width() - kRadius;
    const int baseFarX = baseToTheRight ? tipX + kStemWidth : tipX - kStemWidth;
    const int tipY = below ? 0 : height;
    // The base lies inside the body, so body and stem join without a seam.
    const int baseY = below ? kStemHeight + kStemOverlap : body.height() - kStemOverlap;
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
