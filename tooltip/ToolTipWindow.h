#pragma once

#include "WidgetServices.h"

#include <QWidget>

#include <optional>

class BalloonWidget;
class HoverTracker;

// Stands in for the platform's tooltip control: answers its messages, keeps the
// tools in the order they were added, keyed by the control's handle, and shows a
// control's tip while the pointer rests over it. The window itself stays hidden;
// its balloon is a window of its own.
class ToolTipWindow : public QWidget, public MessageTarget
{
    Q_OBJECT
public:
    // A style with TTS_BALLOON gives balloons, otherwise plain rectangular tips.
    ToolTipWindow(qint32 style, QWidget *owner);

    LResult handleMessage(quint32 msg, WParam wParam, LParam lParam) override;

private:
    struct Tool
    {
        qint32 flags;
        qint32 hwnd;
        qint32 id;
        ClientRect rect;
        QString text;
    };

    LResult addTool(const TOOLINFO &info);
    void deleteTool(const TOOLINFO &info);
    void updateTipText(const TOOLINFO &info);
    LResult enumTools(WParam index, TOOLINFO &info) const;
    Tool *toolNamedBy(const TOOLINFO &info);
    const Tool *firstToolOf(const QWidget *control) const;
    static QWidget *controlOf(const Tool &tool);

    void setDelayTime(qint32 code, qint32 milliseconds);
    qint32 delayTime(qint32 code) const;
    qint32 backColor() const;
    qint32 textColor() const;

    void showTip(QWidget *control, QPoint anchor);
    void refreshShownTip();

    const bool withStem_;
    QList<Tool> tools_;
    qint32 icon_ = 0;
    QString title_;
    qint32 maxWidth_ = -1;
    std::optional<qint32> backColor_;
    std::optional<qint32> textColor_;

    BalloonWidget *balloon_;
    HoverTracker *hover_;
    QPoint anchor_;
};

// Makes the window the tooltip class talks to.
QWidget *CreateToolTipWindow(qint32 style, QWidget *owner);
