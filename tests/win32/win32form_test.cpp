// SPDX-License-Identifier: MIT
// The native window, in process: built from the layout table, driven through its
// controls' own messages, as the user's clicks would.
#include "win32/win32form.h"

#include "catalogue/speciesnote.h"
#include "catalogue/treeform.h"
#include "win32/fontcache.h"
#include "win32/handles.h"
#include "win32/imagecontrol.h"
#include "win32/picturebox.h"
#include "window/accessibility.h"
#include "window/colours.h"
#include "window/handlers.h"
#include "window/illustrations.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace pemtos::win32 {
namespace {

using window::ControlClass;
using window::LayoutEntry;

std::string utf8(std::u16string_view text)
{
    const auto *wide = reinterpret_cast<const wchar_t *>(text.data());
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

std::u16string windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return {text.begin(), text.end()};
}

std::wstring className(HWND window)
{
    std::array<wchar_t, 64> name{};
    return {name.data(), static_cast<std::size_t>(GetClassNameW(window, name.data(), static_cast<int>(name.size())))};
}

std::vector<std::u16string> toStrings(std::span<const std::u16string_view> texts)
{
    return {texts.begin(), texts.end()};
}

/// A window's rectangle in the client coordinates of `reference`.
window::Rect rectIn(HWND control, HWND reference)
{
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, reference, reinterpret_cast<POINT *>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

COLORREF toColorRef(window::OleColour colour)
{
    const window::Rgb rgb = window::resolveColour(colour);
    return RGB(rgb.red, rgb.green, rgb.blue);
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

class Win32FormTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_form = std::make_unique<Win32Form>(GetModuleHandleW(nullptr));
        // Geometry and fonts are checked at 96 DPI, whatever the screen's.
        m_form->applyDpi(96);
        m_form->show(SW_SHOWNORMAL);
        pump();
        reportUnexpectedErrors();
    }

    // A message box would wait for a user that a test run does not have.
    void reportUnexpectedErrors()
    {
        m_form->controls().setReporter([](const window::ControlError &error) {
            ADD_FAILURE() << "unexpected error report on " << utf8(error.control);
        });
    }

    [[nodiscard]] HWND get(std::u16string_view name) const
    {
        HWND control = m_form->control(name);
        if (control == nullptr)
            ADD_FAILURE() << "no control " << utf8(name);
        return control;
    }

    [[nodiscard]] std::u16string text(std::u16string_view name) const { return windowText(get(name)); }

    [[nodiscard]] std::vector<std::u16string> rows() const
    {
        HWND list = get(u"List1");
        std::vector<std::u16string> texts;
        const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
        for (LRESULT row = 0; row < count; ++row) {
            std::wstring row16(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, row, 0)) + 1, L'\0');
            row16.resize(
                static_cast<std::size_t>(SendMessageW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(row16.data()))));
            texts.emplace_back(row16.begin(), row16.end());
        }
        return texts;
    }

    [[nodiscard]] LRESULT selectedRow() const { return SendMessageW(get(u"List1"), LB_GETCURSEL, 0, 0); }
    [[nodiscard]] bool checked(std::u16string_view option) const
    {
        return SendMessageW(get(option), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    void click(std::u16string_view button) const { SendMessageW(get(button), BM_CLICK, 0, 0); }
    void selectRow(LRESULT row) const { SendMessageW(get(u"List1"), LB_SETCURSEL, static_cast<WPARAM>(row), 0); }

    /// The option buttons that are checked, by design name.
    [[nodiscard]] std::vector<std::u16string> checkedOptions() const
    {
        std::vector<std::u16string> names;
        for (const catalogue::TreeFormCategory &form : catalogue::treeForms()) {
            if (checked(form.option))
                names.emplace_back(form.option);
        }
        return names;
    }

    /// Puts the design-time rows back into the list.
    void restoreOpeningRows() const
    {
        HWND list = get(u"List1");
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        for (std::u16string_view row : window::initialRows(*window::findControl(u"List1")))
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::wstring(row.begin(), row.end()).c_str()));
    }

    /// Sends a key press through the form's keyboard handling, as the loop does.
    [[nodiscard]] bool press(WPARAM key) const
    {
        MSG message{GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
        return m_form->preTranslateMessage(message);
    }

    std::unique_ptr<Win32Form> m_form;
};

// ---- The window as built ----------------------------------------------------

std::wstring expectedClass(ControlClass controlClass)
{
    switch (controlClass) {
    case ControlClass::Form:
        return Win32Form::kClassName;
    case ControlClass::Label:
        return L"Static";
    case ControlClass::ListBox:
        return L"ListBox";
    case ControlClass::PictureBox:
        return PictureBox::kClassName;
    case ControlClass::Image:
        return ImageControl::kClassName;
    case ControlClass::Frame:
    case ControlClass::CommandButton:
    case ControlClass::OptionButton:
        break;
    }
    return L"Button";
}

TEST_F(Win32FormTest, EveryControlIsAVisibleWindowOfItsClassInItsContainer)
{
    for (const LayoutEntry &entry : window::layout()) {
        SCOPED_TRACE(utf8(entry.name));
        HWND control = get(entry.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(
            CompareStringOrdinal(className(control).c_str(), -1, expectedClass(entry.controlClass).c_str(), -1, TRUE),
            CSTR_EQUAL);
        EXPECT_TRUE(IsWindowVisible(control));
        EXPECT_TRUE(IsWindowEnabled(control));
        EXPECT_EQ(m_form->entryOf(control), &entry);
        if (entry.controlClass == ControlClass::Form)
            EXPECT_EQ(GetParent(control), nullptr);
        else
            EXPECT_EQ(GetParent(control), get(entry.container));
    }
}

TEST_F(Win32FormTest, WindowHasTheDesignedClientAreaAndTheProgramsIcon)
{
    RECT client{};
    GetClientRect(m_form->window(), &client);
    EXPECT_EQ(client.right, 955);
    EXPECT_EQ(client.bottom, 624);
    // This test carries the program's resources, icon included.
    EXPECT_NE(GetClassLongPtrW(m_form->window(), GCLP_HICON), 0);
    EXPECT_NE(GetClassLongPtrW(m_form->window(), GCLP_HICONSM), 0);
}

TEST_F(Win32FormTest, EveryControlLiesWhereTheTablePutsIt)
{
    for (const LayoutEntry &entry : window::layout().subspan(1)) {
        SCOPED_TRACE(utf8(entry.name));
        HWND control = get(entry.name);
        // In the window's client area, and in its container's.
        EXPECT_EQ(rectIn(control, m_form->window()), window::toPixels(window::windowRectTwips(entry)));
        EXPECT_EQ(rectIn(control, GetParent(control)),
                  window::toPixels(window::Rect{entry.left, entry.top, entry.width, entry.height}));
    }
}

TEST_F(Win32FormTest, WindowStylesGiveEachClassItsBehaviour)
{
    for (const LayoutEntry &entry : window::layout().subspan(1)) {
        SCOPED_TRACE(utf8(entry.name));
        HWND control = get(entry.name);
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
        const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_EXSTYLE));
        EXPECT_NE(style & WS_CLIPSIBLINGS, 0U) << "overlapping siblings must not paint over each other";
        switch (entry.controlClass) {
        case ControlClass::Frame:
            EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_GROUPBOX));
            EXPECT_NE(style & WS_CLIPCHILDREN, 0U);
            break;
        case ControlClass::OptionButton:
            EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_AUTORADIOBUTTON));
            EXPECT_EQ(style & (BS_MULTILINE | BS_VCENTER | WS_TABSTOP),
                      static_cast<DWORD>(BS_MULTILINE | BS_VCENTER | WS_TABSTOP));
            // The first option button of the frame starts the frame's one group.
            EXPECT_EQ((style & WS_GROUP) != 0, entry.name == u"optUran");
            break;
        case ControlClass::CommandButton:
            // While no command button has the focus, the default one looks it.
            EXPECT_EQ(style & BS_TYPEMASK,
                      static_cast<DWORD>(entry.name == window::kDefaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON));
            EXPECT_EQ(style & (BS_MULTILINE | WS_TABSTOP), static_cast<DWORD>(BS_MULTILINE | WS_TABSTOP));
            break;
        case ControlClass::ListBox:
            EXPECT_EQ(style & (LBS_SORT | LBS_MULTIPLESEL | LBS_EXTENDEDSEL), 0U);
            EXPECT_EQ(style & (LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP),
                      static_cast<DWORD>(LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP));
            EXPECT_NE(exStyle & WS_EX_CLIENTEDGE, 0U);
            break;
        case ControlClass::Label:
            EXPECT_EQ(style & SS_TYPEMASK, static_cast<DWORD>(SS_LEFT));
            EXPECT_NE(style & SS_NOPREFIX, 0U);
            EXPECT_EQ(style & WS_TABSTOP, 0U);
            break;
        case ControlClass::PictureBox:
            EXPECT_NE(style & WS_TABSTOP, 0U);
            EXPECT_NE(exStyle & WS_EX_CLIENTEDGE, 0U);
            break;
        case ControlClass::Image:
            EXPECT_EQ(style & WS_TABSTOP, 0U);
            break;
        case ControlClass::Form:
            break;
        }
    }
}

TEST_F(Win32FormTest, CaptionsAreTheTablesTextsExactly)
{
    for (const LayoutEntry &entry : window::layout()) {
        SCOPED_TRACE(utf8(entry.name));
        const std::u16string shown = windowText(get(entry.name));
        const bool showsText = entry.controlClass != ControlClass::PictureBox &&
                               entry.controlClass != ControlClass::Image && entry.controlClass != ControlClass::ListBox;
        // What shows no text carries its name for screen readers instead.
        EXPECT_EQ(utf8(shown), utf8(showsText ? entry.caption : window::accessibleName(entry.name)));
    }
    // Easy to get wrong: one ASCII space, ideographic spaces in the headings.
    EXPECT_EQ(text(u"Label12"), u"選択樹形の特徴 ・・");
    EXPECT_EQ(text(u"Label10"), u"―　高木　―");
}

TEST_F(Win32FormTest, FontsFollowTheTableAndShowJapanese)
{
    HDC screen = GetDC(nullptr);
    for (const LayoutEntry &entry : window::layout().subspan(1)) {
        if (entry.controlClass == ControlClass::PictureBox || entry.controlClass == ControlClass::Image)
            continue;
        SCOPED_TRACE(utf8(entry.name));
        auto *font = fromInteger<HFONT>(SendMessageW(get(entry.name), WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr);
        const window::FontEntry &wanted = entry.font != nullptr ? *entry.font : kDefaultFont;
        LOGFONTW logFont{};
        ASSERT_NE(GetObjectW(font, sizeof(logFont), &logFont), 0);
        EXPECT_EQ(logFont.lfHeight, -MulDiv(wanted.centiPoints, 96, 7200));
        EXPECT_EQ(logFont.lfWeight, wanted.weight);
        EXPECT_EQ(logFont.lfCharSet, SHIFTJIS_CHARSET);
        EXPECT_FALSE(logFont.lfItalic || logFont.lfUnderline || logFont.lfStrikeOut);
        EXPECT_TRUE(std::wstring(logFont.lfFaceName) == chooseFace(wanted.face, isFaceInstalled).face);

        // The face GDI realises has a glyph for every character of the caption.
        HGDIOBJ previous = SelectObject(screen, font);
        const std::wstring caption(entry.caption.begin(), entry.caption.end());
        std::vector<WORD> glyphs(caption.size());
        GetGlyphIndicesW(screen, caption.c_str(), static_cast<int>(caption.size()), glyphs.data(),
                         GGI_MARK_NONEXISTING_GLYPHS);
        EXPECT_EQ(std::count(glyphs.begin(), glyphs.end(), WORD{0xFFFF}), 0);
        EXPECT_EQ(GetTextCharset(screen), SHIFTJIS_CHARSET);
        std::array<wchar_t, LF_FACESIZE> face{};
        GetTextFaceW(screen, static_cast<int>(face.size()), face.data());
        RecordProperty(utf8(entry.name), utf8(std::u16string(face.data(), face.data() + wcslen(face.data()))));
        SelectObject(screen, previous);
    }
    ReleaseDC(nullptr, screen);
}

TEST_F(Win32FormTest, ControlsWithTheSameFontShareOneFontObject)
{
    EXPECT_EQ(SendMessageW(get(u"Label10"), WM_GETFONT, 0, 0), SendMessageW(get(u"Label12"), WM_GETFONT, 0, 0));
    EXPECT_EQ(SendMessageW(get(u"optUran"), WM_GETFONT, 0, 0), SendMessageW(get(u"List1"), WM_GETFONT, 0, 0));
    // A control in the frame does not take the frame's font.
    EXPECT_NE(SendMessageW(get(u"Label1"), WM_GETFONT, 0, 0), SendMessageW(get(u"Frame2"), WM_GETFONT, 0, 0));
}

TEST_F(Win32FormTest, ColoursComeFromTheClassicScheme)
{
    const COLORREF grey = RGB(192, 192, 192);
    const COLORREF teal = RGB(0, 128, 128);
    const COLORREF black = RGB(0, 0, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    for (const LayoutEntry &entry : window::layout().subspan(1)) {
        if (!entry.backColour)
            continue;
        SCOPED_TRACE(utf8(entry.name));
        HWND control = get(entry.name);
        // What a static, radio button or group box asks its parent for.
        auto *brush = fromInteger<HBRUSH>(SendMessageW(
            GetParent(control), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
        LOGBRUSH logBrush{};
        ASSERT_NE(GetObjectW(brush, sizeof(logBrush), &logBrush), 0);
        EXPECT_EQ(logBrush.lbColor, grey);
        EXPECT_EQ(GetBkColor(dc), grey);
        const bool titleOrOutput = entry.name == u"Label2" || entry.name == u"Label3" || entry.name == u"Label4";
        EXPECT_EQ(GetTextColor(dc), titleOrOutput ? teal : black);
    }

    // The window's own background.
    HBITMAP surface = CreateCompatibleBitmap(GetDC(nullptr), 4, 4);
    HGDIOBJ previous = SelectObject(dc, surface);
    SendMessageW(m_form->window(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    EXPECT_EQ(GetPixel(dc, 1, 1), toColorRef(window::layout().front().backColour.value()));
    SelectObject(dc, previous);
    DeleteObject(surface);
    DeleteDC(dc);

    // Picture boxes keep the class default, the classic button face.
    LOGBRUSH pictureBrush{};
    ASSERT_NE(GetObjectW(fromInteger<HBRUSH>(GetClassLongPtrW(get(u"Picture1"), GCLP_HBRBACKGROUND)),
                         sizeof(pictureBrush), &pictureBrush),
              0);
    EXPECT_EQ(pictureBrush.lbColor, toColorRef(window::kSystemColourFlag | COLOR_BTNFACE));
}

TEST_F(Win32FormTest, RealStackingIsTheTablesOrder)
{
    for (std::u16string_view container : {u"Form1", u"Frame2"}) {
        SCOPED_TRACE(utf8(container));
        // Win32 lists children from the top of the stack; the table from the bottom.
        std::vector<std::string> expected;
        for (const LayoutEntry &entry : window::layout()) {
            if (entry.container == container)
                expected.insert(expected.begin(), utf8(entry.name));
        }
        std::vector<std::string> actual;
        for (HWND child = GetWindow(get(container), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
            actual.push_back(utf8(m_form->entryOf(child)->name));
        EXPECT_EQ(actual, expected);
    }
}

TEST_F(Win32FormTest, ClicksLandOnTheControlStackedHighest)
{
    const auto screenPoint = [this](std::u16string_view name, int dx, int dy) {
        RECT rect{};
        GetWindowRect(get(name), &rect);
        return POINT{rect.left + dx, rect.top + dy};
    };
    const auto centre = [this, &screenPoint](std::u16string_view name) {
        RECT rect{};
        GetWindowRect(get(name), &rect);
        return screenPoint(name, (rect.right - rect.left) / 2, (rect.bottom - rect.top) / 2);
    };
    // cmdGo lies inside the frame's rectangle, above the frame.
    EXPECT_EQ(WindowFromPoint(centre(u"cmdGo")), get(u"cmdGo"));
    POINT inClient = centre(u"cmdGo");
    ScreenToClient(m_form->window(), &inClient);
    EXPECT_EQ(ChildWindowFromPointEx(m_form->window(), inClient, CWP_SKIPINVISIBLE), get(u"cmdGo"));
    // The empty images lie beneath the frame.
    inClient = centre(u"Image1");
    ScreenToClient(m_form->window(), &inClient);
    EXPECT_EQ(ChildWindowFromPointEx(m_form->window(), inClient, CWP_SKIPINVISIBLE), get(u"Frame2"));
    // Each option button is hit at its circle; its illustration covers its right edge.
    for (const catalogue::TreeFormCategory &form : catalogue::treeForms()) {
        SCOPED_TRACE(utf8(form.option));
        EXPECT_EQ(WindowFromPoint(screenPoint(form.option, 6, 8)), get(form.option));
    }
    RECT uran{};
    GetWindowRect(get(u"optUran"), &uran);
    EXPECT_EQ(WindowFromPoint(POINT{uran.right - 2, uran.top + 8}), get(u"Picture1"));
}

TEST_F(Win32FormTest, PictureBoxesHoldTheirIllustrationsAtNaturalSize)
{
    for (const LayoutEntry &entry : window::layout()) {
        if (entry.controlClass != ControlClass::PictureBox)
            continue;
        SCOPED_TRACE(utf8(entry.name));
        HBITMAP bitmap = PictureBox::bitmap(get(entry.name));
        const window::Illustration *art = window::findIllustration(entry.name);
        if (art == nullptr) {
            EXPECT_EQ(bitmap, nullptr);
            continue;
        }
        BITMAP size{};
        ASSERT_NE(GetObjectW(bitmap, sizeof(size), &size), 0);
        EXPECT_EQ(size.bmWidth, art->width);
        EXPECT_EQ(size.bmHeight, art->height);
    }
}

// ---- State when the window opens --------------------------------------------

TEST_F(Win32FormTest, OpensWithNoOptionSelectedEmptyOutputsAndFormOnesSpecies)
{
    EXPECT_TRUE(checkedOptions().empty());
    EXPECT_EQ(text(u"Label2"), u"");
    EXPECT_EQ(text(u"Label3"), u"");
    EXPECT_EQ(rows(), toStrings(catalogue::treeForms().front().species));
    EXPECT_EQ(selectedRow(), LB_ERR);
    EXPECT_EQ(GetFocus(), get(u"optUran"));
}

TEST_F(Win32FormTest, InitialRowsAlreadyGiveNotes)
{
    selectRow(2);
    ASSERT_EQ(rows()[2], u"スギ");
    click(u"Command1");
    EXPECT_EQ(text(u"Label3"), catalogue::findSpeciesNote(u"スギ").value());
    EXPECT_EQ(text(u"Label2"), u"");
}

// ---- The two commands through the real controls -----------------------------

TEST_F(Win32FormTest, TreeFormCommandShowsEveryFormsDescriptionAndSpecies)
{
    for (const catalogue::TreeFormCategory &form : catalogue::treeForms()) {
        SCOPED_TRACE(utf8(form.option));
        click(form.option);
        click(u"cmdGo");
        EXPECT_EQ(checkedOptions(), std::vector<std::u16string>{std::u16string(form.option)});
        EXPECT_EQ(text(u"Label2"), form.description);
        EXPECT_EQ(text(u"Label3"), window::kBlankCaption);
        EXPECT_EQ(rows(), toStrings(form.species));
        EXPECT_EQ(selectedRow(), LB_ERR);
    }
}

TEST_F(Win32FormTest, TreeFormCommandWithoutSelectionBlanksAndEmpties)
{
    click(u"cmdGo");
    EXPECT_EQ(text(u"Label2"), window::kBlankCaption);
    EXPECT_EQ(text(u"Label3"), window::kBlankCaption);
    EXPECT_TRUE(rows().empty());
}

TEST_F(Win32FormTest, SpeciesNoteCommandShowsEverySpeciesNote)
{
    for (const catalogue::TreeFormCategory &form : catalogue::treeForms()) {
        click(form.option);
        click(u"cmdGo");
        for (std::size_t row = 0; row < form.species.size(); ++row) {
            SCOPED_TRACE(utf8(form.species[row]));
            selectRow(static_cast<LRESULT>(row));
            click(u"Command1");
            EXPECT_EQ(text(u"Label3"), catalogue::findSpeciesNote(form.species[row]).value());
            // Nothing else moves.
            EXPECT_EQ(selectedRow(), static_cast<LRESULT>(row));
            EXPECT_EQ(text(u"Label2"), form.description);
        }
    }
}

TEST_F(Win32FormTest, SpeciesNoteCommandWithoutSelectionWritesTheEmptyText)
{
    click(u"optUran");
    click(u"cmdGo");
    ASSERT_EQ(text(u"Label3"), window::kBlankCaption);
    click(u"Command1");
    EXPECT_EQ(text(u"Label3"), u"");
}

TEST_F(Win32FormTest, OptionButtonsOfBothHeadingsFormOneGroup)
{
    click(u"Option3");
    click(u"Option8");
    EXPECT_EQ(checkedOptions(), std::vector<std::u16string>{u"Option8"});
    click(u"optUran");
    EXPECT_EQ(checkedOptions(), std::vector<std::u16string>{u"optUran"});
}

TEST_F(Win32FormTest, ClickingAnIllustrationSelectsNothing)
{
    HWND picture = get(u"Picture6");
    SendMessageW(picture, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageW(picture, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    pump();
    EXPECT_TRUE(checkedOptions().empty());
    EXPECT_EQ(GetFocus(), picture);
}

// ---- Failures ----------------------------------------------------------------

TEST_F(Win32FormTest, FailedOperationIsReportedOnceAndTheWindowGoesOn)
{
    struct Case {
        int failAt = 0;
        window::ControlError reported;
        std::size_t rowsLeft = 0; ///< what the list holds when the handler stops
    };
    const std::size_t formOneRows = catalogue::treeForms().front().species.size();
    // With optUran selected: two captions, the clear, one value, the description, then the names.
    const Case cases[] = {
        {1, {window::Operation::CaptionSet, u"Label2"}, formOneRows},
        {3, {window::Operation::Clear, u"List1"}, formOneRows},
        {4, {window::Operation::ValueGet, u"optUran"}, 0},
        {8, {window::Operation::AddItem, u"List1"}, 2},
    };
    std::vector<window::ControlError> reports;
    m_form->controls().setReporter([&reports](const window::ControlError &error) { reports.push_back(error); });
    click(u"optUran");
    for (const Case &test : cases) {
        SCOPED_TRACE(test.failAt);
        reports.clear();
        restoreOpeningRows();
        m_form->controls().failOperation(test.failAt);
        click(u"cmdGo");
        ASSERT_EQ(reports.size(), 1U);
        EXPECT_EQ(reports.front(), test.reported);
        EXPECT_EQ(rows().size(), test.rowsLeft);

        click(u"cmdGo");
        EXPECT_EQ(reports.size(), 1U);
        EXPECT_EQ(rows(), toStrings(catalogue::treeForms().front().species));
    }
}

TEST_F(Win32FormTest, OperationsFailOnMissingControlsAndOnControlsOfAnotherClass)
{
    Win32Controls &controls = m_form->controls();
    using window::Operation;
    const std::pair<window::ControlError, window::ControlError> cases[] = {
        {controls.setCaption(u"List1", u"x").error(), {Operation::CaptionSet, u"List1"}},
        {controls.setCaption(u"Image1", u"x").error(), {Operation::CaptionSet, u"Image1"}},
        {controls.setCaption(u"Label99", u"x").error(), {Operation::CaptionSet, u"Label99"}},
        {controls.clear(u"Label2").error(), {Operation::Clear, u"Label2"}},
        {controls.addItem(u"Command1", u"x").error(), {Operation::AddItem, u"Command1"}},
        {controls.listIndex(u"Picture1").error(), {Operation::ListIndexGet, u"Picture1"}},
        {controls.list(u"List1", 12).error(), {Operation::ListGet, u"List1"}},
        {controls.list(u"List1", -1).error(), {Operation::ListGet, u"List1"}},
        {controls.value(u"cmdGo").error(), {Operation::ValueGet, u"cmdGo"}},
        {controls.value(u"Frame2").error(), {Operation::ValueGet, u"Frame2"}},
    };
    for (const auto &[actual, expected] : cases)
        EXPECT_EQ(actual, expected) << utf8(expected.control);
    // None of them changed anything.
    EXPECT_EQ(rows(), toStrings(catalogue::treeForms().front().species));
    EXPECT_EQ(text(u"Label2"), u"");
}

TEST_F(Win32FormTest, ListOperationsAppendAndReadBackTextsExactly)
{
    Win32Controls &controls = m_form->controls();
    ASSERT_TRUE(controls.clear(u"List1"));
    // Trailing space, full-width forms, and the empty text: nothing is trimmed or sorted.
    const std::u16string_view texts[] = {u"ホオノキ ", u"Ａｂｃ，", u"", u"アオキ"};
    for (std::u16string_view row : texts)
        ASSERT_TRUE(controls.addItem(u"List1", row));
    for (std::size_t index = 0; index < std::size(texts); ++index) {
        const auto read = controls.list(u"List1", static_cast<std::int16_t>(index));
        ASSERT_TRUE(read);
        EXPECT_EQ(read.value(), texts[index]);
    }
    EXPECT_EQ(controls.listIndex(u"List1").value(), -1);
    selectRow(3);
    EXPECT_EQ(controls.listIndex(u"List1").value(), 3);
}

// ---- Keyboard ------------------------------------------------------------------

TEST_F(Win32FormTest, TabFollowsTheTabIndexesNotTheStacking)
{
    ASSERT_EQ(GetFocus(), get(u"optUran"));
    for (std::u16string_view next : {u"optNuman", u"optRera", u"cmdGo", u"Picture1"}) {
        EXPECT_TRUE(press(VK_TAB));
        EXPECT_EQ(GetFocus(), get(next)) << utf8(next);
    }
    // Taking the focus selects nothing.
    EXPECT_TRUE(checkedOptions().empty());
}

TEST_F(Win32FormTest, ArrowKeysWalkTheOptionButtonsAndCarryTheSelection)
{
    // Nothing selected yet: the focus moves, the selection does not appear.
    EXPECT_TRUE(press(VK_RIGHT));
    EXPECT_EQ(GetFocus(), get(u"optNuman"));
    EXPECT_TRUE(checkedOptions().empty());
    // Once one is selected, the selection moves along.
    click(u"optNuman");
    EXPECT_TRUE(press(VK_RIGHT));
    EXPECT_EQ(GetFocus(), get(u"optRera"));
    EXPECT_EQ(checkedOptions(), std::vector<std::u16string>{u"optRera"});
    EXPECT_TRUE(press(VK_UP));
    EXPECT_TRUE(press(VK_UP));
    EXPECT_TRUE(press(VK_LEFT)); // wraps round to the last one
    EXPECT_EQ(checkedOptions(), std::vector<std::u16string>{u"Option11"});
    // In the list the arrow keys are the list's own.
    SetFocus(get(u"List1"));
    EXPECT_FALSE(press(VK_DOWN));
}

TEST_F(Win32FormTest, EnterPressesTheFocusedCommandButtonElseTheDefaultOne)
{
    // On an option button: the default button, cmdGo.
    EXPECT_TRUE(press(VK_RETURN));
    EXPECT_EQ(text(u"Label2"), window::kBlankCaption);

    click(u"optUran");
    click(u"cmdGo");
    selectRow(0);
    SetFocus(get(u"Command1"));
    pump();
    // The focused command button takes over the default look, and Enter.
    EXPECT_EQ(GetWindowLongPtrW(get(u"Command1"), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongPtrW(get(u"cmdGo"), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_TRUE(press(VK_RETURN));
    EXPECT_EQ(text(u"Label3"), catalogue::findSpeciesNote(catalogue::treeForms().front().species[0]).value());
    EXPECT_EQ(text(u"Label2"), catalogue::treeForms().front().description);

    // Leaving it gives the look back to the default button.
    SetFocus(get(u"List1"));
    pump();
    EXPECT_EQ(GetWindowLongPtrW(get(u"Command1"), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_EQ(GetWindowLongPtrW(get(u"cmdGo"), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
}

// ---- DPI -------------------------------------------------------------------------

TEST_F(Win32FormTest, AnotherDpiScalesGeometryAndFonts)
{
    // 125 %: large enough to scale, small enough for the test screen.
    constexpr int kDpi = 120;
    const auto scaled = [](int twips) { return MulDiv(twips, kDpi, 1440); };
    m_form->applyDpi(kDpi);
    RECT client{};
    GetClientRect(m_form->window(), &client);
    EXPECT_EQ(client.right, scaled(14325));
    EXPECT_EQ(client.bottom, scaled(9360));
    for (const LayoutEntry &entry : window::layout().subspan(1)) {
        SCOPED_TRACE(utf8(entry.name));
        const window::Rect twips = window::windowRectTwips(entry);
        // Edges are scaled, so that neighbours stay flush.
        const window::Rect expected{scaled(twips.left), scaled(twips.top),
                                    scaled(twips.left + twips.width) - scaled(twips.left),
                                    scaled(twips.top + twips.height) - scaled(twips.top)};
        EXPECT_EQ(rectIn(get(entry.name), m_form->window()), expected);
    }
    LOGFONTW title{};
    GetObjectW(fromInteger<HFONT>(SendMessageW(get(u"Label4"), WM_GETFONT, 0, 0)), sizeof(title), &title);
    EXPECT_EQ(title.lfHeight, -MulDiv(1425, kDpi, 7200));
}

} // namespace
} // namespace pemtos::win32
