#pragma once

#include "ToolTipMessages.h"
#include "WidgetServices.h"

#include <QString>

#include <functional>
#include <optional>

class QWidget;

// Gives the controls of a window pop-up tips. The object holds at most one tooltip
// window, and each control with a tip is a tool of that window, named by the control's
// handle (WidgetHandle). The object keeps no list of its own: counts, texts and
// lookups are asked of the window through its messages, so the same class could
// drive the platform's tooltip control.
//
// Without a window every member is harmless: reads give 0 or empty text.
class cToolTipEx
{
public:
    // Makes the tooltip window from a style (TTS_…) and its owner.
    using WindowFactory = std::function<QWidget *(qint32 style, QWidget *owner)>;

    cToolTipEx();
    explicit cToolTipEx(WindowFactory createWindow);
    // Destroys the tooltip window.
    ~cToolTipEx();
    cToolTipEx(const cToolTipEx &) = delete;
    cToolTipEx &operator=(const cToolTipEx &) = delete;

    // Creates the tooltip window for the window FormHandle, first destroying one this
    // object made before. inTTStyle TTS_BALLOON gives balloons. inTTIcon (TTI_…) with
    // strTTTitle is the tips' title; icon 0 with an empty title means none. −1 for a
    // width (pixels), a time (milliseconds) or a colour (ColorRef.h) leaves the
    // window's default.
    void CreateToolTip(qint32 FormHandle, qint32 inTTStyle = 0, qint32 inTTIcon = 0,
                       const QString &strTTTitle = QString(), qint32 iTTWidth = -1,
                       qint32 inTTDelayTime = -1, qint32 inTTVisibleTime = -1,
                       qint32 lBackColor = -1, qint32 lForeColor = -1);

    // Gives the control CtlhWnd the tip strTTText, whose CR LF starts a new line.
    // inTTshParam adds TTF_… flags. An existing tip of the control stays, ahead of
    // the new one. Its result would always be empty, so there is none.
    void AddToolTip(qint32 CtlhWnd, const QString &strTTText, qint32 inTTshParam = 0);

    // Destroys the tooltip window with its tools; nothing without a window.
    void DestroyToolTip();

    // Removes the control's first tool: true when one was removed, otherwise empty.
    std::optional<bool> RemoveToolTip(qint32 CtlhWnd);

    // Number of tools; throws std::overflow_error above 32767.
    qint16 ToolTipCount() const;

    // Maximum tip width in pixels; −1 while none is set, 0 without a window. Wider
    // values come back as their low 16 bits read as a signed number.
    qint16 MaxToolTipWidth() const;
    void MaxToolTipWidth(qint16 cx);

    // The control's first tip, at most TOOLTIP_TEXT_MAX characters of it; empty
    // when the control has none. Writing changes the whole text of that tip.
    QString ToolTipText(qint32 CtrlhWnd) const;
    void ToolTipText(qint32 CtrlhWnd, const QString &sText);

    // Colours (ColorRef.h): the palette's tooltip colours until set.
    qint32 BackColor() const;
    void BackColor(qint32 inColor);
    qint32 ForeColor() const;
    void ForeColor(qint32 inColor);

    // Delay times (TTDT_…) in milliseconds.
    qint32 DelayTime(qint32 dwType) const;
    void DelayTime(qint32 dwType, qint32 dwMilliSecs);

private:
    struct FoundTool
    {
        TOOLINFO record; // its lpszText is not kept
        QString text;
    };

    // The control's tool with the lowest index, found by enumerating the tools.
    std::optional<FoundTool> FindTool(qint32 CtlhWnd) const;
    static qint16 LoWordToInteger(qint32 x);
    LResult send(quint32 msg, WParam wParam, LParam lParam) const;

    qint32 TThWnd = 0;
    WindowFactory createWindow_;
};
