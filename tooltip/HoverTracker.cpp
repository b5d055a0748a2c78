#include "HoverTracker.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QWidget>

namespace {

bool isClick(QEvent::Type type)
{
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
           type == QEvent::NonClientAreaMouseButtonPress;
}

} // namespace

HoverTracker::HoverTracker(const DelayTimes &times, QObject *parent)
    : QObject(parent)
    , times_(times)
{
    initialTimer_.setSingleShot(true);
    autopopTimer_.setSingleShot(true);
    connect(&initialTimer_, &QTimer::timeout, this, &HoverTracker::show);
    connect(&autopopTimer_, &QTimer::timeout, this, &HoverTracker::hide);
}

void HoverTracker::watch(QWidget *control)
{
    if (controls_.contains(control))
        return;
    controls_.append(control);
    control->installEventFilter(this);
    connect(control, &QObject::destroyed, this, [this, control] { controls_.removeOne(control); });
}

void HoverTracker::unwatch(QWidget *control)
{
    if (!controls_.removeOne(control))
        return;
    control->removeEventFilter(this);
    disconnect(control, &QObject::destroyed, this, nullptr);
    if (control == hotControl_)
        pointerLeft();
}

QWidget *HoverTracker::shownControl() const
{
    return shown_ ? hotControl_.data() : nullptr;
}

bool HoverTracker::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Enter:
        if (auto *control = qobject_cast<QWidget *>(watched); controls_.contains(control))
            pointerEntered(control, static_cast<QEnterEvent *>(event)->globalPosition().toPoint());
        break;
    case QEvent::MouseMove:
        if (watched == hotControl_ && !shown_)
            anchor_ = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
        break;
    case QEvent::Leave:
    case QEvent::Hide:
        if (watched == hotControl_)
            pointerLeft();
        break;
    default:
        if (isClick(event->type())) {
            initialTimer_.stop();
            hide();
        }
        break;
    }
    return false;
}

void HoverTracker::pointerEntered(QWidget *control, QPoint globalPosition)
{
    if (control == hotControl_)
        return;
    const int delay = shown_ ? times_.reshow : times_.initial;
    hide();
    hotControl_ = control;
    anchor_ = globalPosition;
    initialTimer_.start(delay);
}

void HoverTracker::pointerLeft()
{
    hotControl_ = nullptr;
    initialTimer_.stop();
    hide();
}

void HoverTracker::show()
{
    if (!hotControl_)
        return;
    shown_ = true;
    autopopTimer_.start(times_.autopop);
    // Clicks on other widgets, the control's children among them, put the tip away too.
    qApp->installEventFilter(this);
    emit showTip(hotControl_, anchor_);
}

void HoverTracker::hide()
{
    autopopTimer_.stop();
    if (!shown_)
        return;
    shown_ = false;
    qApp->removeEventFilter(this);
    emit hideTip();
}
