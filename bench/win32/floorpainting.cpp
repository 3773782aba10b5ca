// SPDX-License-Identifier: MIT
#include "floorpainting.h"

#include "win32/dpi.h"
#include "win32/text.h"
#include "window/illustrations.h"

#include <algorithm>
#include <string>

namespace pemtos::bench {
namespace {

using window::ControlClass;
using window::LayoutEntry;

void fill(HDC dc, const RECT &rect, COLORREF colour)
{
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void text(HDC dc, const LayoutEntry &entry, RECT rect, UINT format)
{
    const std::wstring caption = win32::toWide(entry.caption);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rect, format | DT_NOPREFIX);
}

} // namespace

COLORREF colourOf(window::OleColour colour)
{
    const window::Rgb rgb = window::resolveColour(colour);
    return RGB(rgb.red, rgb.green, rgb.blue);
}

RECT floorRect(const LayoutEntry &entry)
{
    const window::Rect twips = window::windowRectTwips(entry);
    using win32::twipsToDevicePixels;
    return {twipsToDevicePixels(twips.left, 96), twipsToDevicePixels(twips.top, 96),
            twipsToDevicePixels(twips.left + twips.width, 96), twipsToDevicePixels(twips.top + twips.height, 96)};
}

void paintFloorControl(HDC dc, HINSTANCE instance, win32::FontCache &fonts, const LayoutEntry &entry)
{
    RECT rect = floorRect(entry);
    SelectObject(dc, fonts.font(entry.font));
    SetTextColor(dc, colourOf(entry.foreColour.value_or(window::kSystemColourFlag | COLOR_BTNTEXT)));
    SetBkMode(dc, TRANSPARENT);
    if (entry.backColour)
        fill(dc, rect, colourOf(*entry.backColour));
    switch (entry.controlClass) {
    case ControlClass::Frame:
        DrawEdge(dc, &rect, EDGE_ETCHED, BF_RECT);
        text(dc, entry, {rect.left + 8, rect.top, rect.right, rect.bottom}, DT_SINGLELINE);
        break;
    case ControlClass::CommandButton:
        DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONPUSH);
        text(dc, entry, rect, DT_CENTER | DT_VCENTER | DT_WORDBREAK);
        break;
    case ControlClass::OptionButton: {
        RECT mark{rect.left, rect.top + (rect.bottom - rect.top - 13) / 2, rect.left + 13, 0};
        mark.bottom = mark.top + 13;
        DrawFrameControl(dc, &mark, DFC_BUTTON, DFCS_BUTTONRADIO);
        text(dc, entry, {rect.left + 17, rect.top, rect.right, rect.bottom}, DT_VCENTER | DT_WORDBREAK);
        break;
    }
    case ControlClass::Label:
        text(dc, entry, rect, DT_WORDBREAK);
        break;
    case ControlClass::ListBox: {
        fill(dc, rect, GetSysColor(COLOR_WINDOW));
        DrawEdge(dc, &rect, EDGE_SUNKEN, BF_RECT);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        int top = rect.top + 2;
        // The rows that the box has room for, as the list shows them.
        for (std::u16string_view row : window::initialRows(entry)) {
            if (top + 13 > rect.bottom - 2)
                break;
            const std::wstring line = win32::toWide(row);
            TextOutW(dc, rect.left + 3, top, line.c_str(), static_cast<int>(line.size()));
            top += 13;
        }
        break;
    }
    case ControlClass::PictureBox:
        DrawEdge(dc, &rect, EDGE_SUNKEN, BF_RECT);
        if (const window::Illustration *art = window::findIllustration(entry.name)) {
            auto *bitmap = static_cast<HBITMAP>(
                LoadImageW(instance, MAKEINTRESOURCEW(art->resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
            HDC source = CreateCompatibleDC(dc);
            HGDIOBJ previous = SelectObject(source, bitmap);
            BitBlt(dc, rect.left + 2, rect.top + 2, std::min<int>(art->width, rect.right - rect.left - 4),
                   std::min<int>(art->height, rect.bottom - rect.top - 4), source, 0, 0, SRCCOPY);
            SelectObject(source, previous);
            DeleteDC(source);
            DeleteObject(bitmap);
        }
        break;
    case ControlClass::Form:
    case ControlClass::Image:
        break;
    }
}

} // namespace pemtos::bench
