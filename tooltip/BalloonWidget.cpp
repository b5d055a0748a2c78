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

constexpr int IconSize = 16;

QPixmap titleIcon(const QStyle *style, qint32 icon)
{
    switch (icon) {
    case TTI_INFO:
        return style->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(IconSize);
    case TTI_WARNING:
        return style->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(IconSize);
    case TTI_ERROR:
        return style->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(IconSize);
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
    , m_icon(new QLabel(this))
    , m_title(plainLabel(this, titleFont()))
    , m_text(plainLabel(this, QToolTip::font()))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    m_text->setWordWrap(true);
}

void BalloonWidget::ShowBalloon(const BalloonContent &content, QPoint anchor)
{
    const QPixmap icon = titleIcon(style(), content.icon);
    const QSize iconSize = icon.isNull() ? QSize() : icon.deviceIndependentSize().toSize();
    const BalloonLayout layout = LayoutBalloon(iconSize, content.title, m_title->font(),
                                               content.text, m_text->font(), content.maxWidth);
    m_placement = PlaceBalloon(layout.body, anchor, screenAt(anchor), content.withStem);
    m_background = content.background;
    m_foreground = content.foreground;

    const QPoint bodyOffset = m_placement.body.topLeft();
    m_icon->setPixmap(icon);
    m_icon->setGeometry(layout.icon.translated(bodyOffset));
    m_icon->setVisible(!icon.isNull());
    m_title->setText(content.title);
    m_title->setGeometry(layout.title.translated(bodyOffset));
    m_title->setVisible(!layout.title.isNull());
    m_text->setText(content.text);
    m_text->setGeometry(layout.text.translated(bodyOffset));
    QPalette palette = m_text->palette();
    palette.setColor(QPalette::WindowText, m_foreground);
    m_title->setPalette(palette);
    m_text->setPalette(palette);

    setGeometry(m_placement.frame);
    setMask(shapeMask(BalloonOutline(m_placement, 0), m_placement.frame.size()));
    show();
    update();
}

// The window's whole shape is the border's colour; the inside is painted over it, so
// the smoothed edge of the inside never blends with what lies behind the window.
void BalloonWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_foreground);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(BalloonOutline(m_placement, 1), m_background);
}
