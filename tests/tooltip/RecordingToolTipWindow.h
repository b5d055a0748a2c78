#pragma once

#include "ToolTipWindow.h"

#include <ostream>
#include <vector>

// One message as the tooltip window received it. Records and texts travel by
// address, so their lParam is not kept; a title is kept as text.
struct SentMessage
{
    quint32 msg;
    WParam wParam;
    LParam lParam;
    QString title;

    bool operator==(const SentMessage &) const = default;
};

inline void PrintTo(const SentMessage &message, std::ostream *out)
{
    *out << "{" << message.msg << ", " << message.wParam << ", " << message.lParam << ", \""
         << message.title.toStdString() << "\"}";
}

// The real tooltip window, writing down every message before it answers.
class RecordingToolTipWindow : public ToolTipWindow
{
public:
    RecordingToolTipWindow(qint32 style, QWidget *owner, std::vector<SentMessage> &log)
        : ToolTipWindow(style, owner)
        , log_(log)
    {}

    LResult handleMessage(quint32 msg, WParam wParam, LParam lParam) override
    {
        const bool byAddress = msg == TTM_ADDTOOLA || msg == TTM_DELTOOLA ||
                               msg == TTM_UPDATETIPTEXTA || msg == TTM_ENUMTOOLSA ||
                               msg == TTM_SETTITLEA;
        const QString title = msg == TTM_SETTITLEA
                                  ? QString::fromUtf16(reinterpret_cast<const char16_t *>(lParam))
                                  : QString();
        log_.push_back({msg, wParam, byAddress ? 0 : lParam, title});
        return ToolTipWindow::handleMessage(msg, wParam, lParam);
    }

private:
    std::vector<SentMessage> &log_;
};
