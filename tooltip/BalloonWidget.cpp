#include "BalloonWidget.h"

#include "ToolTipMessages.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QToolTip>

namespace {

constexpr int kIconSize = 16;

QPixmap titleIcon(const QStyle *style, qint32 icon)
{
    switch (icon) {
    case TTI_INFO:
        return style->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(kIconSize);
    case TTI_WARNING:
        return style->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(kIconSize);
    case TTI_ERROR:
        return style->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(kIconSize);
    default:
        return {};
    }
}

QFont titleFont()
{
    QFont font = QToolTip::font();
    font.setBold(true);
    return font;
}

QLabel *plainLabel(QWidget *parent, const QFont &font)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    return label;
}

QRect screenAt(QPoint point)
{
    const QScreen *screen = QGuiApplication::screenAt(point);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen->availableGeometry();
}

QBitmap shapeMask(const QPainterPath &outline, QSize size)
{
    QBitmap mask(size);
    mask.fill(Qt::color0);
    QPainter painter(&mask);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::color1);
    painter.drawPath(outline);
    return mask;
}

} // namespace

BalloonWidget::BalloonWidget(QWidget *parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus)
    , icon_(new QLabel(this))
    , title_(plainLabel(this, titleFont()))
    , text_(plainLabel(this, QToolTip::font()))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    text_->setWordWrap(true);
}

void BalloonWidget::showBalloon(const BalloonContent &content, QPoint anchor)
{
    const QPixmap icon = titleIcon(style(), content.icon);
    const QSize iconSize = icon.isNull() ? QSize() : icon.deviceIndependentSize().toSize();
    const BalloonLayout layout = LayoutBalloon(iconSize, content.title, title_->font(),
                                               content.text, text_->font(), content.maxWidth);
    placement_ = PlaceBalloon(layout.body, anchor, screenAt(anchor), content.withStem);
    background_ = content.background;
    foreground_ = content.foreground;

    const QPoint bodyOffset = placement_.body.topLeft();
    icon_->setPixmap(icon);
    icon_->setGeometry(layout.icon.translated(bodyOffset));
    icon_->setVisible(!icon.isNull());
    title_->setText(content.title);
    title_->setGeometry(layout.title.translated(bodyOffset));
    title_->setVisible(!layout.title.isNull());
    text_->setText(content.text);
    text_->setGeometry(layout.text.translated(bodyOffset));
    QPalette palette = text_->palette();
    palette.setColor(QPalette::WindowText, foreground_);
    title_->setPalette(palette);
    text_->setPalette(palette);

    setGeometry(placement_.frame);
    setMask(shapeMask(BalloonOutline(placement_, 0), placement_.frame.size()));
    show();
    update();
}

// The window's whole shape is the border's colour; the inside is painted over it, so
// the smoothed edge of the inside never blends with what lies behind the window.
void BalloonWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), foreground_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(BalloonOutline(placement_, 1), background_);
}
