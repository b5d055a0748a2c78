#pragma once

#include <QtGlobal>

// The tooltip window's messages, codes and records, with the numbers and names the
// platform's tooltip control publishes, so the same calls could reach that control.
// Texts travel as NUL-terminated UTF-16: the window here is Qt's own, so no code page
// stands between, while the message numbers stay those of the single-byte forms.

// Message numbers (WM_USER + n).
inline constexpr quint32 TTM_SETDELAYTIME = 1027;
inline constexpr quint32 TTM_ADDTOOLA = 1028;
inline constexpr quint32 TTM_DELTOOLA = 1029;
inline constexpr quint32 TTM_UPDATETIPTEXTA = 1036;
inline constexpr quint32 TTM_GETTOOLCOUNT = 1037;
inline constexpr quint32 TTM_ENUMTOOLSA = 1038;
inline constexpr quint32 TTM_SETTIPBKCOLOR = 1043;
inline constexpr quint32 TTM_SETTIPTEXTCOLOR = 1044;
inline constexpr quint32 TTM_GETDELAYTIME = 1045;
inline constexpr quint32 TTM_GETTIPBKCOLOR = 1046;
inline constexpr quint32 TTM_GETTIPTEXTCOLOR = 1047;
inline constexpr quint32 TTM_SETMAXTIPWIDTH = 1048;
inline constexpr quint32 TTM_GETMAXTIPWIDTH = 1049;
inline constexpr quint32 TTM_SETTITLEA = 1056;

// Window style: a balloon with a stem instead of a plain rectangle.
inline constexpr qint32 TTS_BALLOON = 64;

// Title icons.
inline constexpr qint32 TTI_NONE = 0;
inline constexpr qint32 TTI_INFO = 1;
inline constexpr qint32 TTI_WARNING = 2;
inline constexpr qint32 TTI_ERROR = 3;

// Delay codes: TTDT_AUTOMATIC sets the other three from one value.
inline constexpr qint32 TTDT_AUTOMATIC = 0;
inline constexpr qint32 TTDT_RESHOW = 1;
inline constexpr qint32 TTDT_AUTOPOP = 2;
inline constexpr qint32 TTDT_INITIAL = 3;

// Tool flags: uId is the control's handle; the window watches the control itself.
inline constexpr qint32 TTF_IDISHWND = 1;
inline constexpr qint32 TTF_SUBCLASS = 16;

// cbSize of the record's first version, the fields up to and including lParam.
inline constexpr qint32 TTTOOLINFO_V1_SIZE = 44;

// An enumeration copies out at most this many characters and a terminating NUL.
inline constexpr qsizetype TOOLTIP_TEXT_MAX = 80;

struct ClientRect
{
    qint32 left = 0;
    qint32 top = 0;
    qint32 right = 0;
    qint32 bottom = 0;
};

// One tool: which control, its area and its tip text.
struct TOOLINFO
{
    qint32 cbSize = 0;
    qint32 uFlags = 0;
    qint32 hwnd = 0;
    qint32 uId = 0;
    ClientRect rect;
    qint32 hinst = 0;
    char16_t *lpszText = nullptr;
    qint32 lParam = 0;
};
