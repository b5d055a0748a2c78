#pragma once

#include "BalloonGeometry.h"

#include <QWidget>

class QLabel;

// What a tip shows and how it looks.
struct BalloonContent
{
    qint32 icon = 0; // TTI_… code
    QString title;
    QString text;
    int maxWidth = -1; // text wrap width in pixels; negative: no wrapping
    QColor background;
    QColor foreground;
    bool withStem = true;
};

// The window that shows one tip: a rounded body with a stem pointing at the anchor,
// the icon and the bold title at the top, the text below. It floats above other
// windows and never takes the keyboard focus.
class BalloonWidget : public QWidget
{
    Q_OBJECT
public:
    explicit BalloonWidget(QWidget *parent);

    void showBalloon(const BalloonContent &content, QPoint anchor);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *icon_;
    QLabel *title_;
    QLabel *text_;
    BalloonPlacement placement_;
    QColor background_;
    QColor foreground_;
};
