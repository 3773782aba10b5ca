// SPDX-License-Identifier: MIT
#include "win32/placement.h"

#include "win32/controlfactory.h"
#include "win32/dpi.h"
#include "win32/optionbutton.h"
#include "win32/picturebox.h"
#include "window/stacking.h"

namespace pemtos::win32 {

SIZE formSize(const window::LayoutEntry &entry, int dpi)
{
    RECT frame{0, 0, twipsToDevicePixels(entry.width, dpi), twipsToDevicePixels(entry.height, dpi)};
    clientToWindowRect(frame, ControlFactory::kFormStyle, ControlFactory::kFormExStyle, dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void placeForm(HWND form, const window::LayoutEntry &entry, int dpi)
{
    const int width = twipsToDevicePixels(entry.width, dpi);
    const int height = twipsToDevicePixels(entry.height, dpi);
    RECT client{};
    GetClientRect(form, &client);
    if (client.right == width && client.bottom == height)
        return;
    const SIZE frame = formSize(entry, dpi);
    SetWindowPos(form, nullptr, 0, 0, frame.cx, frame.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The frame actually drawn may be scaled for another DPI than the layout's
    // (before WM_DPICHANGED, or where the system does not scale it): make up
    // the difference so that the client area is exactly the designed size.
    GetClientRect(form, &client);
    if (client.right != width || client.bottom != height) {
        SetWindowPos(form, nullptr, 0, 0, frame.cx + width - client.right, frame.cy + height - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

RECT controlRect(const window::LayoutEntry &entry, int dpi)
{
    // Edges rather than sizes are scaled, so that neighbours stay flush at any DPI.
    return {twipsToDevicePixels(entry.left, dpi), twipsToDevicePixels(entry.top, dpi),
            twipsToDevicePixels(entry.left + entry.width, dpi), twipsToDevicePixels(entry.top + entry.height, dpi)};
}

int coveredWidth(const window::LayoutEntry &entry, int dpi)
{
    const int right = twipsToDevicePixels(entry.left + entry.width, dpi);
    return right - twipsToDevicePixels(entry.left + entry.width - window::coveredStripTwips(entry), dpi);
}

void placeControl(HWND control, const window::LayoutEntry &entry, int dpi, HFONT font, bool redraw)
{
    const RECT rect = controlRect(entry, dpi);
    SetWindowPos(control, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
    if (entry.controlClass == window::ControlClass::PictureBox)
        PictureBox::setDpi(control, dpi);
    if (entry.controlClass == window::ControlClass::OptionButton)
        OptionButton::attach(control, coveredWidth(entry, dpi), redraw);
}

} // namespace pemtos::win32
