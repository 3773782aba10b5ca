// SPDX-License-Identifier: MIT
// The window floor for pemtos.exe's start-up: the least program that shows the same
// first frame while keeping as real child windows, at their final rectangles, only
// the controls that something outside the program reads or drives through window
// messages: the fourteen option buttons, cmdGo and Command1, List1 with its rows,
// Label2 and Label3, and (when built so) the picture boxes, which are Tab stops and
// take the focus. The window paints everything else in its one WM_PAINT, as the
// content floor does. It handles no click and no key: what it costs beyond the
// content floor is what those child windows cost.
#include "firstpaintloop.h"
#include "floorpainting.h"
#include "floorwindows.h"
#include "win32/brushcache.h"
#include "win32/controlfactory.h"
#include "win32/fontcache.h"
#include "win32/handles.h"
#include "win32/placement.h"
#include "win32/text.h"
#include "window/accessibility.h"
#include "window/illustrations.h"
#include "window/layout.h"
#include "window/navigation.h"

#include <windows.h>

#include <span>
#include <string>
#include <vector>

namespace {

using pemtos::window::ControlClass;
using pemtos::window::LayoutEntry;

// Set by the build: whether the picture boxes are windows of their own or are
// painted by the window like the labels (a windowless Tab stop); and whether the
// windows are only system-DPI-aware instead of per-monitor-aware as pemtos.exe's are.
constexpr auto kPictureBoxes =
    PEMTOS_FLOOR_PICTURE_WINDOWS != 0 ? pemtos::bench::PictureBoxes::Controls : pemtos::bench::PictureBoxes::Painted;
constexpr bool kSystemDpiAware = PEMTOS_FLOOR_SYSTEM_DPI != 0;
constexpr int kFirstControlId = 1000;
constexpr int kDpi = 96;
constexpr const wchar_t *kPictureClass = L"PemtosWindowFloorPicture";

struct Floor {
    HINSTANCE instance = nullptr;
    std::span<const LayoutEntry> layout;
    pemtos::win32::FontCache *fonts = nullptr;
    pemtos::win32::BrushCache *brushes = nullptr;
    std::vector<bool> isWindow; ///< one per layout row
};
// What the window procedures draw from, set up once before the first window.
Floor g_floor; // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

LRESULT CALLBACK pictureProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcW(box, message, wParam, lParam);
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(box, &paint);
    const LayoutEntry &entry = g_floor.layout[static_cast<std::size_t>(GetDlgCtrlID(box) - kFirstControlId)];
    if (const pemtos::window::Illustration *art = pemtos::window::findIllustration(entry.name)) {
        auto *bitmap = static_cast<HBITMAP>(
            LoadImageW(g_floor.instance, MAKEINTRESOURCEW(art->resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ previous = SelectObject(source, bitmap);
        BitBlt(dc, 0, 0, art->width, art->height, source, 0, 0, SRCCOPY);
        SelectObject(source, previous);
        DeleteDC(source);
        DeleteObject(bitmap);
    }
    EndPaint(box, &paint);
    return 0;
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        for (std::size_t row = 1; row < g_floor.layout.size(); ++row) {
            if (!g_floor.isWindow[row])
                pemtos::bench::paintFloorControl(dc, g_floor.instance, *g_floor.fonts, g_floor.layout[row]);
        }
        EndPaint(window, &paint);
        return 0;
    }
    case WM_CTLCOLORSTATIC: {
        // The option buttons and the two labels have the window's colours.
        const int id = GetDlgCtrlID(pemtos::win32::fromInteger<HWND>(lParam)) - kFirstControlId;
        if (id > 0 && static_cast<std::size_t>(id) < g_floor.layout.size()) {
            if (HBRUSH brush = g_floor.brushes->colourControl(pemtos::win32::fromInteger<HDC>(wParam),
                                                              g_floor.layout[static_cast<std::size_t>(id)]))
                return reinterpret_cast<LRESULT>(brush);
        }
        break;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

struct WindowKind {
    const wchar_t *className;
    DWORD style;
    DWORD exStyle;
};

WindowKind kindOf(const LayoutEntry &entry)
{
    switch (entry.controlClass) {
    case ControlClass::OptionButton:
        return {L"Button",
                static_cast<DWORD>(BS_AUTORADIOBUTTON | BS_MULTILINE | BS_VCENTER | WS_TABSTOP) |
                    (pemtos::window::startsOptionGroup(entry) ? DWORD{WS_GROUP} : 0),
                0};
    case ControlClass::CommandButton:
        return {L"Button",
                static_cast<DWORD>(entry.name == pemtos::window::kDefaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) |
                    BS_MULTILINE | WS_TABSTOP,
                0};
    case ControlClass::ListBox:
        return {L"ListBox", LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlClass::PictureBox:
        return {kPictureClass, WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlClass::Label:
    case ControlClass::Form:
    case ControlClass::Frame:
    case ControlClass::Image:
        break;
    }
    return {L"Static", SS_LEFT | SS_NOPREFIX, 0};
}

HWND createControl(HWND parent, std::size_t row)
{
    const LayoutEntry &entry = g_floor.layout[row];
    const WindowKind kind = kindOf(entry);
    RECT rect = pemtos::bench::floorRect(entry);
    // An option button's caption ends where its drawing begins, as pemtos.exe draws
    // it; with the drawings painted by the window, the button would cover them.
    if (entry.controlClass == ControlClass::OptionButton)
        rect.right -= pemtos::win32::coveredWidth(entry, kDpi);
    const bool showsText = entry.controlClass == ControlClass::OptionButton ||
                           entry.controlClass == ControlClass::CommandButton ||
                           entry.controlClass == ControlClass::Label;
    const std::wstring text =
        pemtos::win32::toWide(showsText ? entry.caption : pemtos::window::accessibleName(entry.name));
    HWND created = CreateWindowExW(
        kind.exStyle, kind.className, text.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kind.style, rect.left,
        rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
        pemtos::win32::fromInteger<HMENU>(INT_PTR{kFirstControlId} + static_cast<INT_PTR>(row)), g_floor.instance,
        nullptr);
    SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(g_floor.fonts->font(entry.font)), FALSE);
    for (std::u16string_view listRow : pemtos::window::initialRows(entry))
        SendMessageW(created, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pemtos::win32::toWide(listRow).c_str()));
    return created;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int showCommand)
{
    // Every process is per-monitor-aware under Wine 8, whatever its manifest says;
    // a thread can still make its windows system-aware.
    if (kSystemDpiAware)
        SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_SYSTEM_AWARE);
    pemtos::win32::FontCache fonts(kDpi);
    pemtos::win32::BrushCache brushes;
    g_floor.instance = instance;
    g_floor.layout = pemtos::window::layout();
    g_floor.fonts = &fonts;
    g_floor.brushes = &brushes;
    for (const LayoutEntry &entry : g_floor.layout)
        g_floor.isWindow.push_back(pemtos::bench::mustBeControl(entry, kPictureBoxes));

    const LayoutEntry &form = g_floor.layout.front();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = brushes.brush(form.backColour.value_or(pemtos::win32::kButtonFace));
    windowClass.lpszClassName = L"PemtosWindowFloor";
    RegisterClassW(&windowClass);
    if (kPictureBoxes == pemtos::bench::PictureBoxes::Controls) {
        windowClass.lpfnWndProc = &pictureProc;
        windowClass.hbrBackground = brushes.brush(pemtos::win32::kButtonFace);
        windowClass.lpszClassName = kPictureClass;
        RegisterClassW(&windowClass);
    }
    const SIZE size = pemtos::win32::formSize(form, kDpi);
    const std::wstring title = pemtos::win32::toWide(form.caption);
    HWND window = CreateWindowExW(pemtos::win32::ControlFactory::kFormExStyle, L"PemtosWindowFloor", title.c_str(),
                                  pemtos::win32::ControlFactory::kFormStyle, CW_USEDEFAULT, CW_USEDEFAULT, size.cx,
                                  size.cy, nullptr, nullptr, instance, nullptr);
    // A new child window goes beneath its siblings, and the layout lists them from
    // the bottom up: created from the last row up, they stack as designed.
    HWND firstStop = nullptr;
    for (std::size_t row = g_floor.layout.size() - 1; row > 0; --row) {
        if (!g_floor.isWindow[row])
            continue;
        HWND created = createControl(window, row);
        if (g_floor.layout[row].name == pemtos::window::firstTabStop().name)
            firstStop = created;
    }
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    // The window opens with the focus on the first option, which selects nothing.
    SetFocus(firstStop);
    if (SendMessageW(firstStop, BM_GETCHECK, 0, 0) != BST_UNCHECKED)
        SendMessageW(firstStop, BM_SETCHECK, BST_UNCHECKED, 0);
    // Ends at once after the first frame, as pemtos_firstpaint.exe does.
    ExitProcess(static_cast<UINT>(pemtos::bench::runUntilFirstFrame(window)));
}
