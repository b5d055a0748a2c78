#include "cToolTipEx.h"

#include "ToolTipWindow.h"
#include "WidgetHandle.h"

#include <algorithm>
#include <array>
#include <limits>
#include <stdexcept>
#include <string>

namespace {

LParam address(const void *record)
{
    return reinterpret_cast<LParam>(record);
}

} // namespace

cToolTipEx::cToolTipEx()
    : cToolTipEx(CreateToolTipWindow)
{}

cToolTipEx::cToolTipEx(WindowFactory createWindow)
    : createWindow_(std::move(createWindow))
{}

cToolTipEx::~cToolTipEx()
{
    DestroyToolTip();
}

void cToolTipEx::CreateToolTip(qint32 FormHandle, qint32 inTTStyle, qint32 inTTIcon,
                               const QString &strTTTitle, qint32 iTTWidth, qint32 inTTDelayTime,
                               qint32 inTTVisibleTime, qint32 lBackColor, qint32 lForeColor)
{
    // An earlier window would otherwise live on out of reach.
    DestroyToolTip();
    // The Qt window needs no class registered and keeps itself on top.
    TThWnd = WidgetHandle(createWindow_(inTTStyle, WidgetFromHandle(FormHandle)));

    if (inTTIcon != 0 || !strTTTitle.isEmpty()) {
        const std::u16string title = strTTTitle.toStdU16String();
        send(TTM_SETTITLEA, inTTIcon, address(title.c_str()));
    }
    if (iTTWidth != -1)
        send(TTM_SETMAXTIPWIDTH, 0, iTTWidth);
    if (inTTDelayTime != -1)
        send(TTM_SETDELAYTIME, TTDT_INITIAL, inTTDelayTime);
    if (inTTVisibleTime != -1)
        send(TTM_SETDELAYTIME, TTDT_AUTOPOP, inTTVisibleTime);
    if (lBackColor != -1)
        send(TTM_SETTIPBKCOLOR, lBackColor, 0);
    if (lForeColor != -1)
        send(TTM_SETTIPTEXTCOLOR, lForeColor, 0);
}

void cToolTipEx::AddToolTip(qint32 CtlhWnd, const QString &strTTText, qint32 inTTshParam)
{
    std::u16string text = strTTText.toStdU16String();
    TOOLINFO record;
    record.uFlags = inTTshParam | TTF_IDISHWND | TTF_SUBCLASS;
    record.hwnd = CtlhWnd;
    record.uId = CtlhWnd;
    // Qt has no module instance handle; hinst stays 0.
    record.lpszText = text.data();
    record.rect = GetClientRect(CtlhWnd);
    record.cbSize = TTTOOLINFO_V1_SIZE;
    send(TTM_ADDTOOLA, 0, address(&record));
}

void cToolTipEx::DestroyToolTip()
{
    DestroyWindow(TThWnd);
    TThWnd = 0;
}

std::optional<bool> cToolTipEx::RemoveToolTip(qint32 CtlhWnd)
{
    if (TThWnd == 0)
        return std::nullopt;
    const std::optional<FoundTool> tool = FindTool(CtlhWnd);
    if (!tool)
        return std::nullopt;
    send(TTM_DELTOOLA, 0, address(&tool->record));
    return true;
}

qint16 cToolTipEx::ToolTipCount() const
{
    if (TThWnd == 0)
        return 0;
    const LResult count = send(TTM_GETTOOLCOUNT, 0, 0);
    if (count > std::numeric_limits<qint16>::max())
        throw std::overflow_error("The tooltip window has more than 32767 tools");
    return static_cast<qint16>(count);
}

qint16 cToolTipEx::MaxToolTipWidth() const
{
    if (TThWnd == 0)
        return 0;
    return LoWordToInteger(static_cast<qint32>(send(TTM_GETMAXTIPWIDTH, 0, 0)));
}

void cToolTipEx::MaxToolTipWidth(qint16 cx)
{
    if (TThWnd != 0)
        send(TTM_SETMAXTIPWIDTH, 0, cx);
}

QString cToolTipEx::ToolTipText(qint32 CtrlhWnd) const
{
    const std::optional<FoundTool> tool = FindTool(CtrlhWnd);
    return tool ? tool->text : QString();
}

void cToolTipEx::ToolTipText(qint32 CtrlhWnd, const QString &sText)
{
    std::optional<FoundTool> tool = FindTool(CtrlhWnd);
    if (!tool)
        return;
    std::u16string text = sText.toStdU16String();
    tool->record.lpszText = text.data();
    send(TTM_UPDATETIPTEXTA, 0, address(&tool->record));
}

qint32 cToolTipEx::BackColor() const
{
    return static_cast<qint32>(send(TTM_GETTIPBKCOLOR, 0, 0));
}

void cToolTipEx::BackColor(qint32 inColor)
{
    send(TTM_SETTIPBKCOLOR, inColor, 0);
}

qint32 cToolTipEx::ForeColor() const
{
    return static_cast<qint32>(send(TTM_GETTIPTEXTCOLOR, 0, 0));
}

void cToolTipEx::ForeColor(qint32 inColor)
{
    send(TTM_SETTIPTEXTCOLOR, inColor, 0);
}

qint32 cToolTipEx::DelayTime(qint32 dwType) const
{
    return static_cast<qint32>(send(TTM_GETDELAYTIME, dwType, 0));
}

void cToolTipEx::DelayTime(qint32 dwType, qint32 dwMilliSecs)
{
    send(TTM_SETDELAYTIME, dwType, dwMilliSecs);
}

std::optional<cToolTipEx::FoundTool> cToolTipEx::FindTool(qint32 CtlhWnd) const
{
    // Room for TOOLTIP_TEXT_MAX characters and the NUL the window always writes.
    std::array<char16_t, TOOLTIP_TEXT_MAX + 1> buffer{};
    TOOLINFO record;
    record.cbSize = TTTOOLINFO_V1_SIZE;
    record.lpszText = buffer.data();
    const qint16 count = ToolTipCount();
    for (qint16 index = 0; index < count; ++index) {
        if (send(TTM_ENUMTOOLSA, index, address(&record)) != 0 && record.uId == CtlhWnd) {
            record.lpszText = nullptr;
            const auto end = std::find(buffer.cbegin(), buffer.cend(), u'\0');
            return FoundTool{record, QString::fromUtf16(buffer.data(), end - buffer.cbegin())};
        }
    }
    return std::nullopt;
}

qint16 cToolTipEx::LoWordToInteger(qint32 x)
{
    // The low 16 bits read as a signed number: 40000 gives −25536.
    return static_cast<qint16>(x & 0xFFFF);
}

LResult cToolTipEx::send(quint32 msg, WParam wParam, LParam lParam) const
{
    return SendWindowMessage(TThWnd, msg, wParam, lParam);
}
