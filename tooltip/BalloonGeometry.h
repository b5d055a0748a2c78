#pragma once

#include <QFont>
#include <QPainterPath>
#include <QPolygon>
#include <QRect>
#include <QString>

// Where the parts of a tip sit inside its body: an optional icon and title in a row
// at the top, the text below them.
struct BalloonLayout
{
    QSize body;
    QRect icon;
    QRect title;
    QRect text;
};

// Lays out a tip whose text is wrapped at maxWidth pixels (no wrapping when
// negative); its line breaks ('\n') always start a new line. A null iconSize and an
// empty title leave out the title row.
BalloonLayout LayoutBalloon(QSize iconSize, const QString &title, const QFont &titleFont,
                            const QString &text, const QFont &textFont, int maxWidth);

// The tip window on the screen. A balloon's stem, in window coordinates, points
// from the body at the anchor: its tip, then the ends of its base (the first one
// below or above the tip). A plain tip has no stem and sits below the anchor.
struct BalloonPlacement
{
    QRect frame;
    QRect body;
    QPolygon stem;
    int radius = 0;
};

BalloonPlacement PlaceBalloon(QSize body, QPoint anchor, const QRect &screen, bool withStem);

// The outline of body and stem, inset by `inset` pixels: 0 gives the window's
// shape, 1 the inside of a one-pixel border.
QPainterPath BalloonOutline(const BalloonPlacement &placement, qreal inset);
