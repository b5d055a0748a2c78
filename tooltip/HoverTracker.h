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

    void watch(QWidget *control);
    void unwatch(QWidget *control);

    const DelayTimes &times() const { return times_; }
    void setTimes(const DelayTimes &times) { times_ = times; }

    // The control whose tip is shown now, or nullptr.
    QWidget *shownControl() const;

signals:
    void showTip(QWidget *control, QPoint anchor);
    void hideTip();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void pointerEntered(QWidget *control, QPoint globalPosition);
    void pointerLeft();
    void show();
    void hide();

    DelayTimes times_;
    QList<QWidget *> controls_;
    QTimer initialTimer_;
    QTimer autopopTimer_;
    QPointer<QWidget> hotControl_;
    QPoint anchor_;
    bool shown_ = false;
};
