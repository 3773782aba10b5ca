// SPDX-License-Identifier: MIT
#include "win32windowdriver.h"

#include "win32/fontcache.h"
#include "win32/handles.h"
#include "win32/imagecontrol.h"
#include "win32/picturebox.h"
#include "win32/text.h"
#include "window/controlerror.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace pemtos::win32 {
namespace {

bool hasClass(HWND window, const wchar_t *wanted)
{
    std::array<wchar_t, 64> name{};
    GetClassNameW(window, name.data(), static_cast<int>(name.size()));
    return CompareStringOrdinal(name.data(), -1, wanted, -1, TRUE) == CSTR_EQUAL;
}

LONG_PTR buttonType(HWND window)
{
    return GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK;
}

/// The design class of a control, from the window class and style it was built with.
std::string designClass(HWND window)
{
    if (hasClass(window, Win32Form::kClassName))
        return "Form";
    if (hasClass(window, L"Static"))
        return "Label";
    if (hasClass(window, L"ListBox"))
        return "ListBox";
    if (hasClass(window, PictureBox::kClassName))
        return "PictureBox";
    if (hasClass(window, ImageControl::kClassName))
        return "Image";
    if (hasClass(window, L"Button")) {
        switch (buttonType(window)) {
        case BS_GROUPBOX:
            return "Frame";
        case BS_AUTORADIOBUTTON:
        case BS_RADIOBUTTON:
            return "OptionButton";
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
            return "CommandButton";
        default:
            break;
        }
    }
    return "?";
}

behaviour::Colour rgb(COLORREF colour)
{
    return (static_cast<unsigned>(GetRValue(colour)) << 16U) | (static_cast<unsigned>(GetGValue(colour)) << 8U) |
           GetBValue(colour);
}

/// The face the window asked for, recognised by the face GDI was given for it.
std::u16string designedFace(const wchar_t *given)
{
    for (std::u16string_view face :
         {std::u16string_view(u"ＭＳ Ｐゴシック"), std::u16string_view(u"HGP創英角ﾎﾟｯﾌﾟ体")}) {
        if (chooseFace(face, isFaceInstalled).face == given)
            return std::u16string(face);
    }
    return toUtf16(given);
}

/// Handles what is waiting in the thread's queue, as the message loop would.
void pump()
{
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace

Win32WindowDriver::Win32WindowDriver() : m_form(std::make_unique<Win32Form>(GetModuleHandleW(nullptr)))
{
    // Geometry and fonts are checked at 96 DPI, whatever the screen's.
    m_form->applyDpi(96);
    m_form->show(SW_SHOWNORMAL);
    pump();
    m_firstFocus = GetFocus();
    m_form->controls().setReporter([this](const window::ControlError &error) {
        // What the message box would show: its title, then its text.
        m_reports.push_back(std::u16string(window::errorReportTitle()) + u"\n" + window::errorReportText(error));
    });
}

Win32WindowDriver::~Win32WindowDriver() = default;

HWND Win32WindowDriver::get(std::u16string_view control) const
{
    HWND found = m_form->control(control);
    if (found == nullptr)
        ADD_FAILURE() << "no control " << std::string(control.begin(), control.end());
    return found;
}

std::u16string Win32WindowDriver::nameOf(HWND control) const
{
    for (; control != nullptr; control = GetParent(control)) {
        if (const window::LayoutEntry *entry = m_form->entryOf(control))
            return std::u16string(entry->name);
    }
    return {};
}

void Win32WindowDriver::click(std::u16string_view control)
{
    HWND target = get(control);
    if (hasClass(target, L"Button")) {
        SendMessageW(target, BM_CLICK, 0, 0);
    } else {
        RECT client{};
        GetClientRect(target, &client);
        const LPARAM centre = MAKELPARAM(client.right / 2, client.bottom / 2);
        SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, centre);
        SendMessageW(target, WM_LBUTTONUP, 0, centre);
    }
    pump();
}

std::u16string Win32WindowDriver::caption(std::u16string_view label)
{
    return toUtf16(windowText(get(label)));
}

std::vector<std::u16string> Win32WindowDriver::rows()
{
    HWND list = get(u"List1");
    std::vector<std::u16string> texts;
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT row = 0; row < count; ++row) {
        std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, row, 0)) + 1, L'\0');
        text.resize(
            static_cast<std::size_t>(SendMessageW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()))));
        texts.push_back(toUtf16(text));
    }
    return texts;
}

int Win32WindowDriver::selectedRow()
{
    return static_cast<int>(SendMessageW(get(u"List1"), LB_GETCURSEL, 0, 0));
}

void Win32WindowDriver::selectRow(int row)
{
    SendMessageW(get(u"List1"), LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    pump();
}

std::vector<std::u16string> Win32WindowDriver::checkedOptions()
{
    std::vector<std::u16string> checked;
    for (HWND control : allControls()) {
        if (designClass(control) == "OptionButton" && SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED)
            checked.push_back(nameOf(control));
    }
    return checked;
}

std::u16string Win32WindowDriver::focused()
{
    return nameOf(GetFocus());
}

void Win32WindowDriver::focus(std::u16string_view control)
{
    SetFocus(get(control));
    pump();
}

void Win32WindowDriver::press(behaviour::Key key)
{
    static constexpr WPARAM kKeys[] = {VK_TAB, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_SPACE, VK_RETURN};
    const WPARAM virtualKey = kKeys[static_cast<int>(key)];
    // First the window's own keyboard handling, as the message loop does; what it
    // leaves goes to the focused control.
    const MSG message{GetFocus(), WM_KEYDOWN, virtualKey, 0, 0, {}};
    if (!m_form->preTranslateMessage(message)) {
        HWND target = GetFocus();
        SendMessageW(target, WM_KEYDOWN, virtualKey, 1);
        SendMessageW(target, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001U));
    }
    pump();
}

std::u16string Win32WindowDriver::defaultLookingButton()
{
    for (HWND control : allControls()) {
        if (designClass(control) == "CommandButton" && buttonType(control) == BS_DEFPUSHBUTTON)
            return nameOf(control);
    }
    return {};
}

std::u16string Win32WindowDriver::controlAt(std::u16string_view control, int x, int y)
{
    RECT rect{};
    GetWindowRect(get(control), &rect);
    return nameOf(WindowFromPoint(POINT{rect.left + x, rect.top + y}));
}

void Win32WindowDriver::failOperation(int n)
{
    m_form->controls().failOperation(n);
}

std::vector<std::u16string> Win32WindowDriver::takeErrorReports()
{
    return std::exchange(m_reports, {});
}

std::vector<HWND> Win32WindowDriver::tabStops()
{
    HWND before = GetFocus();
    std::vector<HWND> stops;
    SetFocus(m_firstFocus);
    for (HWND at = m_firstFocus; at != nullptr && stops.size() < 100;) {
        stops.push_back(at);
        press(behaviour::Key::Tab);
        at = GetFocus();
        if (at == m_firstFocus)
            break;
    }
    SetFocus(before);
    pump();
    return stops;
}

behaviour::BuiltControl Win32WindowDriver::describe(HWND control) const
{
    behaviour::BuiltControl built;
    built.controlClass = designClass(control);
    built.name = nameOf(control);
    const bool isForm = control == m_form->window();
    RECT rect{};
    if (isForm) {
        GetClientRect(control, &rect);
    } else {
        built.container = nameOf(GetParent(control));
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT *>(&rect), 2);
    }
    built.left = rect.left;
    built.top = rect.top;
    built.width = rect.right - rect.left;
    built.height = rect.bottom - rect.top;
    built.visible = IsWindowVisible(control) != FALSE;
    built.enabled = IsWindowEnabled(control) != FALSE;

    const std::string &kind = built.controlClass;
    const bool showsText = kind != "PictureBox" && kind != "Image" && kind != "ListBox";
    (showsText ? built.caption : built.accessibleName) = toUtf16(windowText(control));

    if (kind != "Form" && kind != "PictureBox" && kind != "Image") {
        LOGFONTW font{};
        if (GetObjectW(fromInteger<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font) != 0) {
            built.face = designedFace(font.lfFaceName);
            built.fontPixels = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
            built.fontWeight = static_cast<int>(font.lfWeight);
        }
    }

    // Colours the window gives the control, where they differ from its class's own.
    HDC dc = CreateCompatibleDC(nullptr);
    if (isForm) {
        HDC screen = GetDC(nullptr);
        HBITMAP surface = CreateCompatibleBitmap(screen, 4, 4); // in colour, unlike the memory DC's own
        ReleaseDC(nullptr, screen);
        HGDIOBJ previous = SelectObject(dc, surface);
        SendMessageW(control, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        built.back = rgb(GetPixel(dc, 1, 1));
        SelectObject(dc, previous);
        DeleteObject(surface);
    } else if (kind == "Label" || kind == "Frame" || kind == "OptionButton" || kind == "CommandButton") {
        const UINT message = kind == "CommandButton" ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC;
        const auto wParam = reinterpret_cast<WPARAM>(dc);
        const auto lParam = reinterpret_cast<LPARAM>(control);
        const LRESULT classBrush = DefWindowProcW(GetParent(control), message, wParam, lParam);
        const LRESULT given = SendMessageW(GetParent(control), message, wParam, lParam);
        LOGBRUSH brush{};
        if (given != classBrush && GetObjectW(fromInteger<HBRUSH>(given), sizeof(brush), &brush) != 0) {
            built.back = rgb(brush.lbColor);
            built.text = rgb(GetTextColor(dc));
        }
    }
    DeleteDC(dc);

    if (kind == "ListBox") {
        const auto count = SendMessageW(control, LB_GETCOUNT, 0, 0);
        for (LRESULT row = 0; row < count; ++row) {
            std::wstring text(static_cast<std::size_t>(SendMessageW(control, LB_GETTEXTLEN, row, 0)) + 1, L'\0');
            text.resize(static_cast<std::size_t>(
                SendMessageW(control, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()))));
            built.rows.push_back(toUtf16(text));
        }
    }
    if (HBITMAP bitmap = kind == "PictureBox" ? PictureBox::bitmap(control) : nullptr) {
        BITMAP size{};
        GetObjectW(bitmap, sizeof(size), &size);
        built.drawingWidth = size.bmWidth;
        built.drawingHeight = size.bmHeight;
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.bmWidth, -size.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        std::vector<RGBQUAD> pixels(static_cast<std::size_t>(size.bmWidth) * static_cast<std::size_t>(size.bmHeight));
        HDC screen = GetDC(nullptr);
        GetDIBits(screen, bitmap, 0, static_cast<UINT>(size.bmHeight), pixels.data(), &info, DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
        unsigned hash = 2166136261U;
        for (const RGBQUAD &pixel : pixels) {
            for (const BYTE channel : {pixel.rgbRed, pixel.rgbGreen, pixel.rgbBlue})
                hash = (hash ^ channel) * 16777619U;
        }
        built.drawingChecksum = hash;
    }
    return built;
}

std::vector<HWND> Win32WindowDriver::allControls() const
{
    std::vector<HWND> controls;
    // Depth first; Win32 lists a window's children from the top of the stack down.
    std::vector<HWND> pending = {m_form->window()};
    while (!pending.empty()) {
        HWND control = pending.back();
        pending.pop_back();
        controls.push_back(control);
        for (HWND child = GetWindow(control, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
            if (m_form->entryOf(child) != nullptr)
                pending.push_back(child);
        }
    }
    return controls;
}

std::vector<behaviour::BuiltControl> Win32WindowDriver::builtControls()
{
    const std::vector<HWND> stops = tabStops();
    std::vector<behaviour::BuiltControl> built;
    for (HWND control : allControls()) {
        built.push_back(describe(control));
        const auto stop = std::find(stops.begin(), stops.end(), control);
        built.back().tabStop = stop == stops.end() ? 0 : static_cast<int>(stop - stops.begin()) + 1;
    }
    return built;
}

} // namespace pemtos::win32
