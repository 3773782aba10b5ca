// SPDX-License-Identifier: MIT
// What Windows screen readers get from the window: each control's accessible object
// as a client reads it (AccessibleObjectFromWindow, IAccessible), and the events
// raised after each lookup, seen by a WinEvent hook while the lookups are made with
// mouse input sent through the system's input queue.
#include "win32windowdriver.h"

#include <windows.h>

#include <objbase.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace pemtos::win32 {
namespace {

using namespace std::chrono_literals;

struct Read {
    HRESULT found = E_FAIL;
    LONG role = 0;
    std::u16string name;
    std::u16string description;
};

std::u16string take(BSTR text)
{
    std::u16string taken = text != nullptr ? std::u16string(text, text + SysStringLen(text)) : std::u16string();
    SysFreeString(text);
    return taken;
}

/// The control's object as a screen reader asks for it.
Read readAccessible(HWND control)
{
    Read read;
    IAccessible *object = nullptr;
    read.found = AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                            reinterpret_cast<void **>(&object));
    if (FAILED(read.found) || object == nullptr)
        return read;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role{};
    if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4)
        read.role = role.lVal;
    BSTR text = nullptr;
    if (SUCCEEDED(object->get_accName(self, &text)))
        read.name = take(text);
    text = nullptr;
    if (SUCCEEDED(object->get_accDescription(self, &text)))
        read.description = take(text);
    object->Release();
    return read;
}

/// The name, description and live-region events raised on the window's controls.
struct Raised {
    DWORD event;
    HWND control;
};
std::vector<Raised> g_raised; // NOLINT(cppcoreguidelines-avoid-non-const-global-variables): the hook's only way out

void CALLBACK onWinEvent(HWINEVENTHOOK /*hook*/, DWORD event, HWND window, LONG object, LONG child, DWORD /*thread*/,
                         DWORD /*time*/)
{
    if (object == OBJID_CLIENT && child == CHILDID_SELF)
        g_raised.push_back({event, window});
}

/// Handles the thread's messages for `duration`, as the program's message loop does:
/// the window's own keyboard handling first.
void pumpFor(Win32Form &form, std::chrono::milliseconds duration)
{
    const auto until = std::chrono::steady_clock::now() + duration;
    MSG message{};
    while (std::chrono::steady_clock::now() < until) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (form.preTranslateMessage(message))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
}

/// A key pressed and let go, through the system's input queue as the keyboard gives it.
void press(Win32Form &form, WORD key)
{
    std::vector<INPUT> inputs(2);
    for (INPUT &input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)), inputs.size());
    pumpFor(form, 300ms);
}

/// A left click at `point` of `control`'s client area, through the system's input
/// queue as the mouse gives it.
void clickAt(Win32Form &form, HWND control, POINT point)
{
    ClientToScreen(control, &point);
    // Other tests' windows may share the screen: the click must land on this control.
    ASSERT_EQ(WindowFromPoint(point), control);
    const auto absolute = [](LONG at, int metric) {
        return static_cast<LONG>(MulDiv(static_cast<int>(at), 65535, GetSystemMetrics(metric) - 1));
    };
    std::vector<INPUT> inputs(3);
    for (INPUT &input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = absolute(point.x, SM_CXSCREEN);
        input.mi.dy = absolute(point.y, SM_CYSCREEN);
    }
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)), inputs.size());
    pumpFor(form, 300ms);
}

/// Where a person clicks a button: a little inside its left edge (an option's
/// circle), half way down.
POINT buttonPoint(HWND control)
{
    RECT client{};
    GetClientRect(control, &client);
    return {6, client.bottom / 2};
}

/// The middle of the list's row `row`.
POINT rowPoint(HWND list, int row)
{
    RECT item{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
}

class Win32AccessibilityTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        // Above the windows of tests running beside this one, for the mouse.
        SetWindowPos(m_window.form().window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(m_window.form().window());
        pumpFor(m_window.form(), 100ms);
    }
    void TearDown() override
    {
        if (SUCCEEDED(m_com))
            CoUninitialize();
    }

    HRESULT m_com = E_FAIL;
    Win32WindowDriver m_window;
};

struct Expected {
    std::u16string_view control;
    LONG role;
    std::u16string_view name;        ///< empty: one of its own, whatever it is
    std::u16string_view description; ///< what it starts with
};

// The role, name and description each kind of control gives a screen reader.
constexpr Expected kControls[] = {
    {u"optUran", ROLE_SYSTEM_RADIOBUTTON, u"円錐形", u"高木"},
    {u"Option3", ROLE_SYSTEM_RADIOBUTTON, u"盃状形", u"高木"},
    {u"Option8", ROLE_SYSTEM_RADIOBUTTON, u"盃状形", u"中低木"},
    {u"Option11", ROLE_SYSTEM_RADIOBUTTON, u"ほふく形", u"中低木"},
    {u"Picture1", ROLE_SYSTEM_GRAPHIC, u"", u""},
    {u"Picture12", ROLE_SYSTEM_GRAPHIC, u"", u""},
    {u"Image1", ROLE_SYSTEM_GRAPHIC, u"", u""},
    {u"List1", ROLE_SYSTEM_LIST, u"樹木の一覧", u"選択した樹形に含まれる樹木"},
    {u"cmdGo", ROLE_SYSTEM_PUSHBUTTON, u"樹形を選んでクリックして下さい", u"選択した樹形の特徴と樹木を表示します"},
    {u"Command1", ROLE_SYSTEM_PUSHBUTTON, u"樹木を選んでクリックして下さい", u"選択した樹木の特徴を表示します"},
    {u"Label10", ROLE_SYSTEM_STATICTEXT, u"―　高木　―", u""},
    // Named by what it shows, nothing when the window opens.
    {u"Label2", ROLE_SYSTEM_STATICTEXT, u"", u"選択した樹形の特徴"},
    {u"Frame2", ROLE_SYSTEM_GROUPING, u"樹形", u""},
};

TEST_F(Win32AccessibilityTest, EachControlGivesItsRoleNameAndDescription)
{
    for (const Expected &expected : kControls) {
        SCOPED_TRACE(std::string(expected.control.begin(), expected.control.end()));
        const Read read = readAccessible(m_window.get(expected.control));
        ASSERT_EQ(read.found, S_OK);
        EXPECT_EQ(read.role, expected.role);
        if (!expected.name.empty()) {
            EXPECT_EQ(read.name, expected.name);
        }
        EXPECT_EQ(read.description.substr(0, expected.description.size()), expected.description);
    }
    // The drawings are named, each by what it shows; an option's description tells the same.
    for (const std::u16string_view picture : {u"Picture1", u"Picture12", u"Image1"})
        EXPECT_FALSE(readAccessible(m_window.get(picture)).name.empty());
    const Read option = readAccessible(m_window.get(u"Option8"));
    const Read drawing = readAccessible(m_window.get(u"Picture12"));
    EXPECT_NE(option.description.find(drawing.name), std::u16string::npos);
    EXPECT_NE(drawing.name, readAccessible(m_window.get(u"Picture1")).name);
}

struct Lookup {
    std::u16string_view click; ///< an option, or the list's row `row`
    int row;
    std::u16string_view command; ///< the button clicked; none: Enter pressed instead
    std::u16string_view label;   ///< where the result shows and is announced
    std::u16string_view starts;  ///< what the announcement starts with
    std::u16string_view holds;   ///< and what else it says
};

// Tree form 2 (卵円形) has fifteen species, カシ the second, with its note; tree form
// 11 (the second 盃状形) eleven, tree form 3 (逆卵円形) six.
constexpr Lookup kLookups[] = {
    {u"optNuman", -1, u"cmdGo", u"Label2", u"主幹があり,卵円形の樹冠を形成する枝抜き剪定により樹冠を整える。", u"15"},
    {u"List1", 1, u"Command1", u"Label3", u"常緑高木樹。晩春から初夏に花を咲かせる。", u""},
    {u"Option8", -1, u"cmdGo", u"Label2", u"幹が根元近くからよく分岐。自然に樹幹が整うものが多い。", u"11"},
    // Enter presses 「樹形を選んでクリックして下さい」 from an option.
    {u"optRera", -1, u"", u"Label2", u"主幹があり,逆卵円形の樹冠を形成する。", u"6"},
};

TEST_F(Win32AccessibilityTest, EachLookupIsAnnouncedByTheLabelThatShowsIt)
{
    g_raised.clear();
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr, onWinEvent,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    for (const Lookup &lookup : kLookups) {
        SCOPED_TRACE(std::string(lookup.click.begin(), lookup.click.end()));
        HWND clicked = m_window.get(lookup.click);
        clickAt(m_window.form(), clicked, lookup.row >= 0 ? rowPoint(clicked, lookup.row) : buttonPoint(clicked));
        g_raised.clear();
        if (lookup.command.empty())
            press(m_window.form(), VK_RETURN);
        else
            clickAt(m_window.form(), m_window.get(lookup.command), buttonPoint(m_window.get(lookup.command)));

        HWND label = m_window.get(lookup.label);
        int live = 0;
        int named = 0;
        for (const Raised &raised : g_raised) {
            live += raised.event == EVENT_OBJECT_LIVEREGIONCHANGED && raised.control == label ? 1 : 0;
            named += raised.event == EVENT_OBJECT_NAMECHANGE && raised.control == label ? 1 : 0;
        }
        EXPECT_EQ(live, 1);
        EXPECT_GE(named, 1);
        const std::u16string announced = readAccessible(label).name;
        EXPECT_EQ(announced.substr(0, lookup.starts.size()), lookup.starts);
        EXPECT_NE(announced.find(lookup.holds), std::u16string::npos) << "in " << announced.size() << " characters";
    }
    // The tree-form command blanked the note: the note label no longer says the old note.
    EXPECT_EQ(readAccessible(m_window.get(u"Label3")).name, m_window.caption(u"Label3"));
    UnhookWinEvent(hook);
}

} // namespace
} // namespace pemtos::win32
