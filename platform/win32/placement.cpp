// SPDX-License-Identifier: MIT
#include "win32/placement.h"

#include "win32/controlfactory.h"
#include "win32/dpi.h"
#include "win32/optionbutton.h"
#include "win32/picturebox.h"
#include "window/stacking.h"

namespace pemtos::win32 {

void placeForm(HWND form, const window::LayoutEntry &entry, int dpi)
{
    const int width = twipsToDevicePixels(entry.width, dpi);
    const int height = twipsToDevicePixels(entry.height, dpi);
    RECT frame{0, 0, width, height};
    clientToWindowRect(frame, ControlFactory::kFormStyle, ControlFactory::kFormExStyle, dpi);
    SetWindowPos(form, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The frame actually drawn may be scaled for another DPI than the layout's
    // (before WM_DPICHANGED, or where the system does not scale it): make up
    // the difference so that the client area is exactly the designed size.
    RECT client{};
    GetClientRect(form, &client);
    if (client.right != width || client.bottom != height) {
        SetWindowPos(form, nullptr, 0, 0, frame.right - frame.left + width - client.right,
                     frame.bottom - frame.top + height - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void placeControl(HWND control, const window::LayoutEntry &entry, int dpi, HFONT font)
{
    // Edges rather than sizes are scaled, so that neighbours stay flush at any DPI.
    const int left = twipsToDevicePixels(entry.left, dpi);
    const int top = twipsToDevicePixels(entry.top, dpi);
    const int right = twipsToDevicePixels(entry.left + entry.width, dpi);
    const int bottom = twipsToDevicePixels(entry.top + entry.height, dpi);
    SetWindowPos(control, nullptr, left, top, right - left, bottom - top, SWP_NOZORDER | SWP_NOACTIVATE);
    // Redrawn at once only when the window is seen: while it is hidden the first
    // show paints everything anyway.
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), IsWindowVisible(control));
    if (entry.controlClass == window::ControlClass::PictureBox)
        PictureBox::setDpi(control, dpi);
    if (entry.controlClass == window::ControlClass::OptionButton) {
        const int visibleRight = twipsToDevicePixels(entry.left + entry.width - window::coveredStripTwips(entry), dpi);
        OptionButton::attach(control, right - visibleRight);
    }
}

} // namespace pemtos::win32
