// SPDX-License-Identifier: MIT
#include "win32/optionbutton.h"

#include "win32/dpi.h"
#include "win32/handles.h"
#include "win32/subclass.h"
#include "win32/text.h"

#include <algorithm>
#include <string>

namespace pemtos::win32 {
namespace {

constexpr int kCircleSize = 13; ///< the radio circle at 96 DPI, in pixels
constexpr int kTextGap = 4;     ///< between the circle and the caption

} // namespace

void OptionButton::attach(HWND option, int coveredWidth, bool redraw)
{
    setSubclass(option, subclassProc, std::max(coveredWidth, 0));
    if (redraw)
        InvalidateRect(option, nullptr, TRUE);
}

LRESULT OptionButton::subclassProc(HWND option, UINT message, WPARAM wParam, LPARAM lParam, LONG_PTR coveredWidth)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paintStruct{};
        HDC dc = BeginPaint(option, &paintStruct);
        paint(option, dc, static_cast<int>(coveredWidth));
        EndPaint(option, &paintStruct);
        return 0;
    }
    case WM_PRINTCLIENT:
        paint(option, fromInteger<HDC>(wParam), static_cast<int>(coveredWidth));
        return 0;
    // The standard button repaints itself at once, outside WM_PAINT, when its
    // state changes; it is painted over again straight after.
    case BM_SETCHECK:
    case BM_SETSTATE:
    case BM_CLICK:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_CAPTURECHANGED:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_SETFONT:
    case WM_UPDATEUISTATE: {
        const LRESULT result = callOwnProc(option, message, wParam, lParam);
        if (IsWindow(option) != FALSE && IsWindowVisible(option) != FALSE)
            RedrawWindow(option, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return result;
    }
    default:
        break;
    }
    return callOwnProc(option, message, wParam, lParam);
}

void OptionButton::paint(HWND option, HDC dc, int coveredWidth)
{
    RECT client{};
    GetClientRect(option, &client);
    // The colours and background come from the parent, as for the standard button.
    auto *background = fromInteger<HBRUSH>(SendMessageW(
        GetParent(option), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(option)));
    FillRect(dc, &client, background != nullptr ? background : GetSysColorBrush(COLOR_BTNFACE));

    const LRESULT state = SendMessageW(option, BM_GETSTATE, 0, 0);
    const bool enabled = IsWindowEnabled(option) != FALSE;
    const int dpi = windowDpi(option);
    const int circle = MulDiv(kCircleSize, dpi, kDefaultDpi);
    const int height = client.bottom - client.top;
    RECT circleRect{client.left, client.top + (height - circle) / 2, client.left + circle,
                    client.top + (height - circle) / 2 + circle};
    UINT circleState = DFCS_BUTTONRADIO;
    if ((state & BST_CHECKED) != 0)
        circleState |= DFCS_CHECKED;
    if ((state & BST_PUSHED) != 0)
        circleState |= DFCS_PUSHED;
    if (!enabled)
        circleState |= DFCS_INACTIVE;
    DrawFrameControl(dc, &circleRect, DFC_BUTTON, circleState);

    const std::wstring caption = windowText(option);
    HGDIOBJ previousFont = SelectObject(dc, fromInteger<HFONT>(SendMessageW(option, WM_GETFONT, 0, 0)));
    RECT text{circleRect.right + MulDiv(kTextGap, dpi, kDefaultDpi), client.top, client.right - coveredWidth,
              client.bottom};
    constexpr UINT kFormat = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;
    RECT measured = text;
    DrawTextW(dc, caption.c_str(), -1, &measured, kFormat | DT_CALCRECT);
    // Centred as a block, like BS_VCENTER.
    const int textHeight = measured.bottom - measured.top;
    text.top = client.top + std::max(0, (height - textHeight) / 2);
    text.bottom = text.top + textHeight;
    SetBkMode(dc, TRANSPARENT);
    if (!enabled)
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, caption.c_str(), -1, &text, kFormat);
    SelectObject(dc, previousFont);

    if ((state & BST_FOCUS) != 0 && !caption.empty()) {
        RECT focus{text.left - 1, text.top, std::min(text.left + (measured.right - measured.left) + 1, text.right + 1),
                   text.bottom};
        IntersectRect(&focus, &focus, &client);
        DrawFocusRect(dc, &focus);
    }
}

} // namespace pemtos::win32
