#include "ToolTipWindow.h"

#include "BalloonWidget.h"
#include "ColorRef.h"
#include "HoverTracker.h"
#include "WidgetHandle.h"

#include <QGuiApplication>
#include <QStyleHints>
#include <QToolTip>

#include <algorithm>
#include <utility>

namespace {

bool isValidRecord(const TOOLINFO *info)
{
    return info && info->cbSize >= TTTOOLINFO_V1_SIZE;
}

QString textAt(const char16_t *text)
{
    return text ? QString::fromUtf16(text) : QString();
}

// Copies at most TOOLTIP_TEXT_MAX characters and a NUL, never half a surrogate pair.
void copyTipText(const QString &text, char16_t *buffer)
{
    qsizetype length = std::min(text.size(), TOOLTIP_TEXT_MAX);
    if (length < text.size() && text.at(length - 1).isHighSurrogate())
        --length;
    std::copy_n(text.utf16(), length, buffer);
    buffer[length] = u'\0';
}

// A CR LF, or a lone CR, starts a new line like a line feed does.
QString withLineFeeds(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

// One time sets all three, as TTDT_AUTOMATIC does.
DelayTimes automaticTimes(int initial)
{
    return {initial, 10 * initial, initial / 5};
}

// The defaults follow the double-click time, as the platform's do.
DelayTimes defaultTimes()
{
    return automaticTimes(QGuiApplication::styleHints()->mouseDoubleClickInterval());
}

} // namespace

ToolTipWindow::ToolTipWindow(qint32 style, QWidget *owner)
    : QWidget(owner, Qt::ToolTip)
    , withStem_(style & TTS_BALLOON)
    , balloon_(new BalloonWidget(this))
    , hover_(new HoverTracker(defaultTimes(), this))
{
    connect(hover_, &HoverTracker::showTip, this, &ToolTipWindow::showTip);
    connect(hover_, &HoverTracker::hideTip, balloon_, &QWidget::hide);
}

LResult ToolTipWindow::handleMessage(quint32 msg, WParam wParam, LParam lParam)
{
    auto *info = reinterpret_cast<TOOLINFO *>(lParam);
    switch (msg) {
    case TTM_ADDTOOLA:
        return isValidRecord(info) ? addTool(*info) : 0;
    case TTM_DELTOOLA:
        if (isValidRecord(info))
            deleteTool(*info);
        return 0;
    case TTM_UPDATETIPTEXTA:
        if (isValidRecord(info))
            updateTipText(*info);
        return 0;
    case TTM_GETTOOLCOUNT:
        return tools_.size();
    case TTM_ENUMTOOLSA:
        return isValidRecord(info) ? enumTools(wParam, *info) : 0;
    case TTM_SETDELAYTIME:
        setDelayTime(static_cast<qint32>(wParam), static_cast<qint32>(lParam));
        return 0;
    case TTM_GETDELAYTIME:
        return delayTime(static_cast<qint32>(wParam));
    case TTM_SETTIPBKCOLOR:
        backColor_ = static_cast<qint32>(wParam);
        return 0;
    case TTM_SETTIPTEXTCOLOR:
        textColor_ = static_cast<qint32>(wParam);
        return 0;
    case TTM_GETTIPBKCOLOR:
        return backColor();
    case TTM_GETTIPTEXTCOLOR:
        return textColor();
    case TTM_SETMAXTIPWIDTH:
        return std::exchange(maxWidth_, static_cast<qint32>(lParam));
    case TTM_GETMAXTIPWIDTH:
        return maxWidth_;
    case TTM_SETTITLEA:
        icon_ = static_cast<qint32>(wParam);
        title_ = textAt(reinterpret_cast<const char16_t *>(lParam));
        return 1;
    default:
        return 0;
    }
}

LResult ToolTipWindow::addTool(const TOOLINFO &info)
{
    const Tool tool{info.uFlags, info.hwnd, info.uId, info.rect, textAt(info.lpszText)};
    tools_.append(tool);
    if (QWidget *control = controlOf(tool))
        hover_->watch(control);
    return 1;
}

void ToolTipWindow::deleteTool(const TOOLINFO &info)
{
    const Tool *tool = toolNamedBy(info);
    if (!tool)
        return;
    QWidget *control = controlOf(*tool);
    tools_.removeAt(tool - tools_.constData());
    if (control && !firstToolOf(control))
        hover_->unwatch(control);
    refreshShownTip();
}

void ToolTipWindow::updateTipText(const TOOLINFO &info)
{
    if (Tool *tool = toolNamedBy(info)) {
        tool->text = textAt(info.lpszText);
        refreshShownTip();
    }
}

LResult ToolTipWindow::enumTools(WParam index, TOOLINFO &info) const
{
    if (index < 0 || index >= tools_.size())
        return 0;
    const Tool &tool = tools_.at(index);
    info.uFlags = tool.flags;
    info.hwnd = tool.hwnd;
    info.uId = tool.id;
    info.rect = tool.rect;
    if (info.lpszText)
        copyTipText(tool.text, info.lpszText);
    return 1;
}

ToolTipWindow::Tool *ToolTipWindow::toolNamedBy(const TOOLINFO &info)
{
    const auto found = std::find_if(tools_.begin(), tools_.end(), [&info](const Tool &tool) {
        return tool.hwnd == info.hwnd && tool.id == info.uId;
    });
    return found == tools_.end() ? nullptr : &*found;
}

const ToolTipWindow::Tool *ToolTipWindow::firstToolOf(const QWidget *control) const
{
    const auto found = std::find_if(tools_.cbegin(), tools_.cend(), [control](const Tool &tool) {
        return controlOf(tool) == control;
    });
    return found == tools_.cend() ? nullptr : &*found;
}

QWidget *ToolTipWindow::controlOf(const Tool &tool)
{
    return WidgetFromHandle(tool.flags & TTF_IDISHWND ? tool.id : tool.hwnd);
}

void ToolTipWindow::setDelayTime(qint32 code, qint32 milliseconds)
{
    // A negative time restores the default.
    const bool reset = milliseconds < 0;
    const DelayTimes defaults = defaultTimes();
    DelayTimes times = hover_->times();
    switch (code) {
    case TTDT_AUTOMATIC:
        times = reset ? defaults : automaticTimes(milliseconds);
        break;
    case TTDT_INITIAL:
        times.initial = reset ? defaults.initial : milliseconds;
        break;
    case TTDT_AUTOPOP:
        times.autopop = reset ? defaults.autopop : milliseconds;
        break;
    case TTDT_RESHOW:
        times.reshow = reset ? defaults.reshow : milliseconds;
        break;
    default:
        break;
    }
    hover_->setTimes(times);
}

qint32 ToolTipWindow::delayTime(qint32 code) const
{
    switch (code) {
    case TTDT_INITIAL:
        return hover_->times().initial;
    case TTDT_AUTOPOP:
        return hover_->times().autopop;
    case TTDT_RESHOW:
        return hover_->times().reshow;
    default:
        return 0;
    }
}

qint32 ToolTipWindow::backColor() const
{
    return backColor_.value_or(ColorRefFromColor(QToolTip::palette().color(QPalette::ToolTipBase)));
}

qint32 ToolTipWindow::textColor() const
{
    return textColor_.value_or(ColorRefFromColor(QToolTip::palette().color(QPalette::ToolTipText)));
}

void ToolTipWindow::showTip(QWidget *control, QPoint anchor)
{
    const Tool *tool = firstToolOf(control);
    if (!tool)
        return;
    anchor_ = anchor;
    BalloonContent content;
    content.icon = icon_;
    content.title = title_;
    content.text = withLineFeeds(tool->text);
    content.maxWidth = maxWidth_;
    content.background = ColorFromColorRef(backColor());
    content.foreground = ColorFromColorRef(textColor());
    content.withStem = withStem_;
    balloon_->showBalloon(content, anchor);
}

// A shown tip follows a change of its control's tools.
void ToolTipWindow::refreshShownTip()
{
    if (QWidget *control = hover_->shownControl())
        showTip(control, anchor_);
}

QWidget *CreateToolTipWindow(qint32 style, QWidget *owner)
{
    return new ToolTipWindow(style, owner);
}
