#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>

class QWidget;

// How long the pointer rests before a tip shows, how long a tip stays, and how soon
// the next control's tip follows a shown one; milliseconds.
struct DelayTimes
{
    int initial;
    int autopop;
    int reshow;
};

// Decides when the tip of a watched control shows and hides. The tip shows once the
// pointer has rested the initial time anywhere over the control; it hides when the
// autopop time has passed, when the pointer leaves, or on a click anywhere, and then
// waits for the pointer's next visit.
class HoverTracker : public QObject
{
    Q_OBJECT
public:
    HoverTracker(const DelayTimes &times, QObject *parent);

    void Watch(QWidget *control);
    void Unwatch(QWidget *control);

    const DelayTimes &Times() const { return m_times; }
    void SetTimes(const DelayTimes &times) { m_times = times; }

    // The control whose tip is shown now, or nullptr.
    QWidget *ShownControl() const;

signals:
    void ShowTip(QWidget *control, QPoint anchor);
    void HideTip();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void pointerEntered(QWidget *control, QPoint globalPosition);
    void pointerLeft();
    void show();
    void hide();

    DelayTimes m_times;
    QList<QWidget *> m_controls;
    QTimer m_initialTimer;
    QTimer m_autopopTimer;
    QPointer<QWidget> m_hotControl;
    QPoint m_anchor;
    bool m_shown = false;
};
