// SPDX-License-Identifier: MIT
// The native window, in process: the behaviour suite shared with the Qt window, and
// what only the Win32 window has to get right (window styles, GDI fonts, the icon,
// other DPIs and the drawings made for them).
#include "win32windowdriver.h"
#include "windowbehaviour.h"

#include "win32/fontcache.h"
#include "win32/handles.h"
#include "win32/picturebox.h"
#include "window/colours.h"
#include "window/illustrations.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace pemtos::behaviour {
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, WindowBehaviour, testing::Types<win32::Win32WindowDriver>);
} // namespace pemtos::behaviour

namespace pemtos::win32 {
namespace {

using behaviour::BuiltControl;

class Win32WindowTest : public testing::Test {
protected:
    Win32WindowDriver m_window;
};

TEST_F(Win32WindowTest, TheWindowClassCarriesTheProgramsIcon)
{
    // This test carries the program's resources, icon included.
    EXPECT_NE(GetClassLongPtrW(m_window.form().window(), GCLP_HICON), 0);
    EXPECT_NE(GetClassLongPtrW(m_window.form().window(), GCLP_HICONSM), 0);
}

TEST_F(Win32WindowTest, WindowStylesGiveEachClassItsBehaviour)
{
    for (const BuiltControl &control : m_window.builtControls()) {
        if (control.controlClass == "Form")
            continue;
        SCOPED_TRACE(golden::utf8(control.name));
        HWND window = m_window.get(control.name);
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
        const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
        EXPECT_NE(style & WS_CLIPSIBLINGS, 0U) << "overlapping siblings must not paint over each other";
        const std::string &kind = control.controlClass;
        if (kind == "Frame") {
            EXPECT_NE(style & WS_CLIPCHILDREN, 0U);
        } else if (kind == "OptionButton") {
            EXPECT_EQ(style & (BS_MULTILINE | BS_VCENTER | WS_TABSTOP),
                      static_cast<DWORD>(BS_MULTILINE | BS_VCENTER | WS_TABSTOP));
            // The first option button of the frame starts the frame's one group.
            EXPECT_EQ((style & WS_GROUP) != 0, control.name == u"optUran");
        } else if (kind == "CommandButton") {
            EXPECT_EQ(style & (BS_MULTILINE | WS_TABSTOP), static_cast<DWORD>(BS_MULTILINE | WS_TABSTOP));
        } else if (kind == "ListBox") {
            EXPECT_EQ(style & (LBS_SORT | LBS_MULTIPLESEL | LBS_EXTENDEDSEL), 0U);
            EXPECT_EQ(style & (LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP),
                      static_cast<DWORD>(LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP));
            EXPECT_NE(exStyle & WS_EX_CLIENTEDGE, 0U);
        } else if (kind == "Label") {
            EXPECT_EQ(style & SS_TYPEMASK, static_cast<DWORD>(SS_LEFT));
            EXPECT_NE(style & SS_NOPREFIX, 0U);
            EXPECT_EQ(style & WS_TABSTOP, 0U);
        } else if (kind == "PictureBox") {
            EXPECT_NE(style & WS_TABSTOP, 0U);
            EXPECT_NE(exStyle & WS_EX_CLIENTEDGE, 0U);
        } else {
            EXPECT_EQ(kind, "Image");
            EXPECT_EQ(style & WS_TABSTOP, 0U);
        }
    }
}

TEST_F(Win32WindowTest, FontsAreShiftJisFacesWithAGlyphForEveryCharacter)
{
    HDC screen = GetDC(nullptr);
    for (const BuiltControl &control : m_window.builtControls()) {
        if (control.fontPixels == 0)
            continue;
        SCOPED_TRACE(golden::utf8(control.name));
        auto *font = fromInteger<HFONT>(SendMessageW(m_window.get(control.name), WM_GETFONT, 0, 0));
        LOGFONTW logFont{};
        ASSERT_NE(GetObjectW(font, sizeof(logFont), &logFont), 0);
        EXPECT_EQ(logFont.lfCharSet, SHIFTJIS_CHARSET);
        EXPECT_FALSE(logFont.lfItalic || logFont.lfUnderline || logFont.lfStrikeOut);

        // The face GDI realises has a glyph for every character of the caption.
        HGDIOBJ previous = SelectObject(screen, font);
        const std::wstring caption(control.caption.begin(), control.caption.end());
        std::vector<WORD> glyphs(caption.size());
        GetGlyphIndicesW(screen, caption.c_str(), static_cast<int>(caption.size()), glyphs.data(),
                         GGI_MARK_NONEXISTING_GLYPHS);
        EXPECT_EQ(std::count(glyphs.begin(), glyphs.end(), WORD{0xFFFF}), 0);
        EXPECT_EQ(GetTextCharset(screen), SHIFTJIS_CHARSET);
        std::array<wchar_t, LF_FACESIZE> face{};
        GetTextFaceW(screen, static_cast<int>(face.size()), face.data());
        RecordProperty(golden::utf8(control.name),
                       golden::utf8(std::u16string(face.data(), face.data() + wcslen(face.data()))));
        SelectObject(screen, previous);
    }
    ReleaseDC(nullptr, screen);
}

TEST_F(Win32WindowTest, ControlsWithTheSameFontShareOneFontObject)
{
    const auto font = [this](std::u16string_view name) { return SendMessageW(m_window.get(name), WM_GETFONT, 0, 0); };
    EXPECT_EQ(font(u"Label10"), font(u"Label12"));
    EXPECT_EQ(font(u"optUran"), font(u"List1"));
    // A control in the frame does not take the frame's font.
    EXPECT_NE(font(u"Label1"), font(u"Frame2"));
}

TEST_F(Win32WindowTest, TextIsDrawnOnTheBackgroundItsControlIsFilledWith)
{
    HDC dc = CreateCompatibleDC(nullptr);
    int coloured = 0;
    for (const BuiltControl &control : m_window.builtControls()) {
        if (!control.back || control.controlClass == "Form")
            continue;
        SCOPED_TRACE(golden::utf8(control.name));
        ++coloured;
        HWND window = m_window.get(control.name);
        // What a static, option button or frame asks its parent for.
        auto *brush = fromInteger<HBRUSH>(SendMessageW(GetParent(window), WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window)));
        LOGBRUSH logBrush{};
        ASSERT_NE(GetObjectW(brush, sizeof(logBrush), &logBrush), 0);
        EXPECT_EQ(GetBkColor(dc), logBrush.lbColor);
    }
    DeleteDC(dc);
    EXPECT_EQ(coloured, 7 + 14 + 1);
}

TEST_F(Win32WindowTest, PictureBoxesPaintTheClassicButtonFace)
{
    LOGBRUSH brush{};
    ASSERT_NE(GetObjectW(fromInteger<HBRUSH>(GetClassLongPtrW(m_window.get(u"Picture1"), GCLP_HBRBACKGROUND)),
                         sizeof(brush), &brush),
              0);
    EXPECT_EQ(brush.lbColor, RGB(192, 192, 192));
}

TEST_F(Win32WindowTest, TabStopsAtEveryOptionButton)
{
    // Unlike Qt's, Win32's Tab key knows no option groups: it walks the tab order.
    std::vector<std::u16string> stops;
    for (int n = 0; n < 4; ++n) {
        m_window.press(behaviour::Key::Tab);
        stops.push_back(m_window.focused());
    }
    EXPECT_EQ(stops, (std::vector<std::u16string>{u"optNuman", u"optRera", u"cmdGo", u"Picture1"}));
}

TEST_F(Win32WindowTest, AnotherDpiScalesGeometryAndFonts)
{
    // 125 %: large enough to scale, small enough for the test screen.
    constexpr int kDpi = 120;
    const std::vector<BuiltControl> at96 = m_window.builtControls();
    m_window.form().applyDpi(kDpi);
    const std::vector<BuiltControl> scaled = m_window.builtControls();
    ASSERT_EQ(scaled.size(), at96.size());
    // Edges are scaled, so that neighbours stay flush: pixels at 96 DPI are 15 twips.
    const auto edge = [](int pixels) { return MulDiv(pixels * 15, kDpi, 1440); };
    for (std::size_t i = 0; i < at96.size(); ++i) {
        SCOPED_TRACE(golden::utf8(at96[i].name));
        EXPECT_EQ(scaled[i].left, edge(at96[i].left));
        EXPECT_EQ(scaled[i].top, edge(at96[i].top));
        EXPECT_EQ(scaled[i].width, edge(at96[i].left + at96[i].width) - edge(at96[i].left));
        EXPECT_EQ(scaled[i].height, edge(at96[i].top + at96[i].height) - edge(at96[i].top));
    }
    LOGFONTW title{};
    GetObjectW(fromInteger<HFONT>(SendMessageW(m_window.get(u"Label4"), WM_GETFONT, 0, 0)), sizeof(title), &title);
    EXPECT_EQ(title.lfHeight, -MulDiv(1425, kDpi, 7200));
}

/// A bitmap's pixels as 0x00RRGGBB, top row first.
std::vector<std::uint32_t> pixelsOf(HDC dc, HBITMAP bitmap, int width, int height)
{
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &format, DIB_RGB_COLORS);
    for (std::uint32_t &pixel : pixels)
        pixel &= 0xFFFFFFU;
    return pixels;
}

/// The box's client area as the box paints it, over a colour no drawing has.
std::vector<std::uint32_t> paintedClient(HWND box, int width, int height, COLORREF background)
{
    HDC screen = GetDC(nullptr);
    HDC target = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(target, canvas);
    HBRUSH fill = CreateSolidBrush(background);
    const RECT all{0, 0, width, height};
    FillRect(target, &all, fill);
    SendMessageW(box, WM_PRINTCLIENT, fromInteger<WPARAM>(target), PRF_CLIENT);
    SelectObject(target, previous);
    std::vector<std::uint32_t> pixels = pixelsOf(target, canvas, width, height);
    DeleteObject(fill);
    DeleteObject(canvas);
    DeleteDC(target);
    ReleaseDC(nullptr, screen);
    return pixels;
}

/// Lays the window out at `dpi` and checks what each picture box draws: the drawing
/// made for the screen, from the inner top-left corner at the size the layout gives
/// it, cut off by the box; where a drawing pixel is one screen pixel, exactly.
void checkDrawingsAt(Win32WindowDriver &window, int dpi)
{
    SCOPED_TRACE(std::to_string(dpi) + " DPI");
    window.form().applyDpi(dpi);
    const int scale = dpi >= 144 ? 2 : 1;
    constexpr COLORREF kUnpainted = RGB(255, 0, 255);
    constexpr std::uint32_t kUnpaintedPixel = 0xFF00FFU; // kUnpainted as 0x00RRGGBB
    for (const window::Illustration &art : window::illustrations()) {
        SCOPED_TRACE(golden::utf8(art.picture));
        HWND box = window.get(art.picture);
        HBITMAP shown = PictureBox::bitmap(box);
        BITMAP size{};
        ASSERT_NE(GetObjectW(shown, sizeof(size), &size), 0);
        EXPECT_EQ(size.bmWidth, art.width * scale);
        EXPECT_EQ(size.bmHeight, art.height * scale);

        RECT client{};
        GetClientRect(box, &client);
        const std::vector<std::uint32_t> painted = paintedClient(box, client.right, client.bottom, kUnpainted);
        HDC screen = GetDC(nullptr);
        const std::vector<std::uint32_t> drawing = pixelsOf(screen, shown, size.bmWidth, size.bmHeight);
        ReleaseDC(nullptr, screen);
        const int drawnWidth = MulDiv(art.width, dpi, 96);
        const int drawnHeight = MulDiv(art.height, dpi, 96);
        const bool exact = dpi == 96 * scale;
        int wrong = 0;
        for (int y = 0; y < client.bottom; ++y) {
            for (int x = 0; x < client.right; ++x) {
                const std::uint32_t pixel = painted[static_cast<std::size_t>(y * client.right + x)];
                const bool inDrawing = x < drawnWidth && y < drawnHeight;
                if (inDrawing != (pixel != kUnpaintedPixel) ||
                    (inDrawing && exact && pixel != drawing[static_cast<std::size_t>(y * size.bmWidth + x)]))
                    ++wrong;
            }
        }
        EXPECT_EQ(wrong, 0) << "of the box's " << client.right << " x " << client.bottom << " pixels";
    }
}

// One window laid out in turn at 150 %, 200 % and back at 100 % (a window costs
// seconds under Wine).
TEST_F(Win32WindowTest, DrawingsComeFromTheBitmapMadeForTheScreenAtTheLayoutsSize)
{
    for (const int dpi : {144, 192, 96})
        checkDrawingsAt(m_window, dpi);
}

} // namespace
} // namespace pemtos::win32
