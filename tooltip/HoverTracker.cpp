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
    , m_times(times)
{
    m_initialTimer.setSingleShot(true);
    m_autopopTimer.setSingleShot(true);
    connect(&m_initialTimer, &QTimer::timeout, this, &HoverTracker::show);
    connect(&m_autopopTimer, &QTimer::timeout, this, &HoverTracker::hide);
}

void HoverTracker::Watch(QWidget *control)
{
    if (m_controls.contains(control))
        return;
    m_controls.append(control);
    control->installEventFilter(this);
    connect(control, &QObject::destroyed, this, [this, control] { m_controls.removeOne(control); });
}

void HoverTracker::Unwatch(QWidget *control)
{
    if (!m_controls.removeOne(control))
        return;
    control->removeEventFilter(this);
    disconnect(control, &QObject::destroyed, this, nullptr);
    if (control == m_hotControl)
        pointerLeft();
}

QWidget *HoverTracker::ShownControl() const
{
    return m_shown ? m_hotControl.data() : nullptr;
}

bool HoverTracker::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Enter:
        if (auto *control = qobject_cast<QWidget *>(watched); m_controls.contains(control))
            pointerEntered(control, static_cast<QEnterEvent *>(event)->globalPosition().toPoint());
        break;
    case QEvent::MouseMove:
        if (watched == m_hotControl && !m_shown)
            m_anchor = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
        break;
    case QEvent::Leave:
    case QEvent::Hide:
        if (watched == m_hotControl)
            pointerLeft();
        break;
    default:
        if (isClick(event->type())) {
            m_initialTimer.stop();
            hide();
        }
        break;
    }
    return false;
}

void HoverTracker::pointerEntered(QWidget *control, QPoint globalPosition)
{
    if (control == m_hotControl)
        return;
    const int delay = m_shown ? m_times.reshow : m_times.initial;
    hide();
    m_hotControl = control;
    m_anchor = globalPosition;
    m_initialTimer.start(delay);
}

void HoverTracker::pointerLeft()
{
    m_hotControl = nullptr;
    m_initialTimer.stop();
    hide();
}

void HoverTracker::show()
{
    if (!m_hotControl)
        return;
    m_shown = true;
    m_autopopTimer.start(m_times.autopop);
    // Clicks on other widgets, the control's children among them, put the tip away too.
    qApp->installEventFilter(this);
    emit ShowTip(m_hotControl, m_anchor);
}

void HoverTracker::hide()
{
    m_autopopTimer.stop();
    if (!m_shown)
        return;
    m_shown = false;
    qApp->removeEventFilter(this);
    emit HideTip();
}
