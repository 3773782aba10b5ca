// SPDX-License-Identifier: MIT
#include "win32/controlfactory.h"

#include "win32/handles.h"
#include "win32/imagecontrol.h"
#include "win32/picturebox.h"
#include "win32/resourceids.h"
#include "win32/text.h"
#include "window/accessibility.h"
#include "window/illustrations.h"
#include "window/navigation.h"
#include "windowclass.h"

#include <string>
#include <system_error>

namespace pemtos::win32 {
namespace {

using window::ControlClass;
using window::LayoutEntry;

// Siblings overlap (cmdGo over the frame, illustrations over their options), so
// every child clips what lies above it.
constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

[[noreturn]] void throwLastError(const char *what)
{
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), what);
}

struct WindowKind {
    const wchar_t *className;
    DWORD style;
    DWORD exStyle;
};

WindowKind kindOf(ControlClass controlClass)
{
    switch (controlClass) {
    case ControlClass::Frame:
        return {L"Button", BS_GROUPBOX | WS_CLIPCHILDREN, 0};
    case ControlClass::CommandButton:
        // Captions wider than the button wrap onto further lines; focus changes are
        // reported, as the default button follows the focus.
        return {L"Button", BS_PUSHBUTTON | BS_MULTILINE | BS_NOTIFY | WS_TABSTOP, 0};
    case ControlClass::OptionButton:
        return {L"Button", BS_AUTORADIOBUTTON | BS_MULTILINE | BS_VCENTER | WS_TABSTOP, 0};
    case ControlClass::Label:
        return {L"Static", SS_LEFT | SS_NOPREFIX, 0};
    case ControlClass::ListBox:
        // Unsorted, so added rows append; exactly as high as designed.
        return {L"ListBox", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlClass::PictureBox:
        return {PictureBox::kClassName, WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlClass::Image:
    case ControlClass::Form:
        break;
    }
    return {ImageControl::kClassName, 0, 0};
}

} // namespace

ControlFactory::ControlFactory(HINSTANCE instance, WNDPROC formProcedure) : m_instance(instance)
{
    WNDCLASSEXW windowClass = windowClassFor(instance, kFormClassName, formProcedure);
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(PEMTOS_ICON_ID));
    windowClass.hIconSm =
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(PEMTOS_ICON_ID), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    if (!registerOnce(windowClass) || !PictureBox::registerClass(instance) || !ImageControl::registerClass(instance))
        throwLastError("RegisterClassExW");
}

HWND ControlFactory::createForm(const LayoutEntry &entry, void *creationData, SIZE size) const
{
    HWND created =
        CreateWindowExW(kFormExStyle, kFormClassName, toWide(entry.caption).c_str(), kFormStyle, CW_USEDEFAULT,
                        CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr, m_instance, creationData);
    if (created == nullptr)
        throwLastError("CreateWindowExW");
    return created;
}

HWND ControlFactory::createControl(const LayoutEntry &entry, HWND parent, int id, const RECT &rect, int dpi, HFONT font)
{
    const WindowKind kind = kindOf(entry.controlClass);
    DWORD style = kChildStyle | kind.style;
    if (window::startsOptionGroup(entry))
        style |= WS_GROUP;
    if (entry.controlClass == ControlClass::CommandButton && entry.name == window::kDefaultButton)
        style = (style & ~BS_TYPEMASK) | BS_DEFPUSHBUTTON;

    // Controls that show no text of their own carry the name a screen reader gives them.
    const bool showsText = entry.controlClass != ControlClass::PictureBox &&
                           entry.controlClass != ControlClass::Image && entry.controlClass != ControlClass::ListBox;
    const std::wstring text = toWide(showsText ? entry.caption : window::accessibleName(entry.name));
    // A picture box reads its drawing's bitmaps itself, when it is first shown: it
    // is given the bitmap's resource number and the DPI it draws for.
    const window::Illustration *art = window::findIllustration(entry.name);
    PictureBox::Creation picture{art != nullptr ? art->resourceId : 0, dpi};
    void *creationData = entry.controlClass == ControlClass::PictureBox ? &picture : nullptr;

    HWND created = CreateWindowExW(kind.exStyle, kind.className, text.c_str(), style, rect.left, rect.top,
                                   rect.right - rect.left, rect.bottom - rect.top, parent,
                                   fromInteger<HMENU>(static_cast<INT_PTR>(id)), m_instance, creationData);
    if (created == nullptr)
        throwLastError("CreateWindowExW");
    // Not redrawn: the window is not shown yet, and its first show paints everything.
    SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (std::u16string_view row : window::initialRows(entry))
        SendMessageW(created, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(row).c_str()));
    return created;
}

} // namespace pemtos::win32
