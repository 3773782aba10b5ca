// SPDX-License-Identifier: MIT
#include "window/layout.h"

#include "catalogue/treeform.h"
#include "window/handlers.h"

#include <algorithm>
#include <array>

namespace pemtos::window {
namespace {

using enum ControlClass;

constexpr FontEntry kFrameFont{u"ＭＳ Ｐゴシック", 1200, 700};
constexpr FontEntry kHeadingFont{u"ＭＳ Ｐゴシック", 1125, 700};
constexpr FontEntry kTitleFont{u"HGP創英角ﾎﾟｯﾌﾟ体", 1425, 400};

constexpr std::optional<OleColour> kDefault{};
constexpr std::optional<OleColour> kBack{kSystemInactiveCaptionText};
constexpr std::optional<OleColour> kText{kSystemBackground};

constexpr std::u16string_view kIntroduction =
    u"樹の形はいろいろな特徴があって面白いですね。裸木の並んだ公園や並木通りを歩くとき，ふと幹の延び方に目を留めたり"
    u"します。そんな木々の形は分類がなされています。樹木の仲間で同じ形のもの，同じ仲間じゃなくても形が同じものがあ"
    u"ります。樹木の名前を覚えるため樹形から分類して印象付けるっていうのもいいと思います。ここでは，樹形で分類しその"
    u"樹形に含まれる樹木を調べてみました。";

// clang-format off
// The species list opens with tree form 1's names, so that a note can be looked
// up before the tree-form command was ever used.
constexpr std::array<LayoutEntry, 43> kLayout{{
    // class         name         container  left   top    width  height tab caption                              font           back      fore      click            rows
    {Form,          u"Form1",    u"",       0,     0,     14325, 9360,  -1, u"樹形から調べる樹木名と特徴",          nullptr,       kBack,    kDefault, nullptr,         nullptr},
    {Label,         u"Label3",   u"Form1",  7680,  8040,  4215,  975,   18, u"",                                   nullptr,       kBack,    kText,    nullptr,         nullptr},
    {Image,         u"Image1",   u"Form1",  5160,  4560,  1215,  495,   -1, u"",                                   nullptr,       kDefault, kDefault, nullptr,         nullptr},
    {Image,         u"Image2",   u"Form1",  5160,  4560,  1215,  495,   -1, u"",                                   nullptr,       kDefault, kDefault, nullptr,         nullptr},
    {Label,         u"Label2",   u"Form1",  3720,  7320,  9255,  375,   36, u"",                                   nullptr,       kBack,    kText,    nullptr,         nullptr},
    {Label,         u"Label12",  u"Form1",  1200,  7200,  2295,  375,   37, u"選択樹形の特徴 ・・",                 &kHeadingFont, kBack,    kDefault, nullptr,         nullptr},
    {Frame,         u"Frame2",   u"Form1",  240,   120,   13575, 6855,  0,  u"樹形",                               &kFrameFont,   kBack,    kDefault, nullptr,         nullptr},
    {Label,         u"Label4",   u"Frame2", 5040,  360,   3615,  375,   39, u"樹形から調べる樹木名と特徴",          &kTitleFont,   kBack,    kText,    nullptr,         nullptr},
    {Label,         u"Label1",   u"Frame2", 840,   840,   12015, 735,   38, kIntroduction,                         nullptr,       kBack,    kDefault, nullptr,         nullptr},
    {Label,         u"Label10",  u"Frame2", 6240,  2160,  1815,  255,   34, u"―　高木　―",                         &kHeadingFont, kBack,    kDefault, nullptr,         nullptr},
    {Label,         u"Label11",  u"Frame2", 6120,  5040,  2055,  255,   35, u"―　中低木　―",                       &kHeadingFont, kBack,    kDefault, nullptr,         nullptr},
    {OptionButton,  u"optUran",  u"Frame2", 120,   3000,  1215,  255,   1,  u"円錐形",                             nullptr,       kBack,    kDefault, nullptr,         nullptr},
    {OptionButton,  u"optNuman", u"Frame2", 2280,  3000,  1215,  255,   2,  u"卵円形",                             nullptr,       kBack,    kDefault, nullptr,         nullptr},
    {OptionButton,  u"optRera",  u"Frame2", 4440,  2880,  1215,  495,   3,  u"逆卵円形",                           nullptr,       kBack,    kDefault, nullptr,         nullptr},
    {PictureBox,    u"Picture1", u"Frame2", 960,   2520,  735,   1215,  5,  u"",                                   nullptr,       kDefault, kDefault, nullptr,         nullptr},
    {PictureBox,    u"Picture2", u"Frame2", 3240,  2520,  735,   1215,  6,  u"",                                   nullptr,       kDefault, kDefault, nullptr,         nullptr},
    {OptionButton,  u"Option1",  u"Frame2", 6720,  2880,  855,   495,   7,  u"球形",                               nullptr,       kBack,    kDefault, nullptr,         nullptr},
    {OptionButton,  u"Option2",  u"Frame2", 8880,  2880,  975,   495,   8,  u"円柱形",                             nullptr,       kBack,    kDefault, nullptr,         nullptr},
    {OptionButton,  u"Option3",  u"Frame2", 11040, 2880,  975,   495,   9,  u"盃状形",                             nullptr,       kBack,    kDefault, nullptr,         nullptr},
    {OptionButton,  u"Option4",  u"Frame2", 120,   3960,  1095,  855,   10, u"枝垂形",                             nullptr,       kBack,    kDefault, nullptr,         nullptr},
    {PictureBox,    u"Picture3", u"Frame2", 5520,  2520,  615,   1215,  11, u"",                                   nullptr,       kDefault, kDefault, nullptr,         nullptr},
    {PictureBox,    u"Picture4", u"Frame2", 7560,  2520,  855,   1215,  12, u"",                                   nullptr,       kDefault, kDefault, nullptr,         nullptr},
    {PictureBox,    u"Picture5", u"Frame2", 9840,  2520,  735,   1215,  13, u"",                                   nullptr,       kDefault, kDefault, nullptr,         nullptr},
    {PictureBox,    u"Picture6", u"Frame2", 12000, 2520,  1095,  1215,  14, u"",                                   nullptr,       kDefault, kDefault, nullptr,         nullptr},
    {PictureBox,    u"Picture7", u"Frame2", 960,   3840,  1095,  1095,  15, u"",                                   nullptr,       kDefault, kDefault, nullptr,         nullptr},
    {PictureBox,    u"Picture8", u"Frame2", 3240,  3840,  735,   1095,  16, u"",                                   nullptr,       kDefault, kDefault, nullptr,         nullptr},
    {OptionButton,  u"Option5",  u"Frame2", 2280,  4200,  855,   420,   19, u"頂上葉",                             nullptr,       kBack,    kDefault, nullptr,         nullptr},
    {OptionButton,  u"Option6",  u"Frame2", 120,   5760,  975,   420,   21, u"円錐形円柱形",                       nullptr,       kBack,    kDefault, nullptr,         nullptr},
    {PictureBox,    u"Picture9", u"Frame2", 6600,  1320,  15,    135,   22, u"",                                   nullptr,       kDefault, kDefault, nullptr,         nullptr},
    {PictureBox,    u"Picture10",u"Frame2", 960,   5400,  615,   1215,  23, u"",                                   nullptr,       kDefault, kDefault, nullptr,         nullptr},
    {OptionButton,  u"Option7",  u"Frame2", 2280,  5640,  915,   660,   24, u"卵円形球形",                         nullptr,       kBack,    kDefault, nullptr,         nullptr},
    {PictureBox,    u"Picture11",u"Frame2", 3240,  5400,  615,   1215,  25, u"",                                   nullptr,       kDefault, kDefault, nullptr,         nullptr},
    {OptionButton,  u"Option8",  u"Frame2", 4320,  5760,  855,   375,   26, u"盃状形",                             nullptr,       kBack,    kDefault, nullptr,         nullptr},
    {PictureBox,    u"Picture12",u"Frame2", 5280,  5520,  1215,  855,   27, u"",                                   nullptr,       kDefault, kDefault, nullptr,         nullptr},
    {OptionButton,  u"Option9",  u"Frame2", 6600,  5760,  855,   375,   28, u"株立形",                             nullptr,       kBack,    kDefault, nullptr,         nullptr},
    {PictureBox,    u"Picture13",u"Frame2", 7560,  5520,  975,   855,   29, u"",                                   nullptr,       kDefault, kDefault, nullptr,         nullptr},
    {OptionButton,  u"Option10", u"Frame2", 8880,  5760,  855,   420,   30, u"枝垂形",                             nullptr,       kBack,    kDefault, nullptr,         nullptr},
    {PictureBox,    u"Picture14",u"Frame2", 9720,  5520,  1095,  855,   31, u"",                                   nullptr,       kDefault, kDefault, nullptr,         nullptr},
    {OptionButton,  u"Option11", u"Frame2", 10920, 5760,  975,   375,   32, u"ほふく形",                           nullptr,       kBack,    kDefault, nullptr,         nullptr},
    {PictureBox,    u"Picture15",u"Frame2", 12000, 5520,  1215,  855,   33, u"",                                   nullptr,       kDefault, kDefault, nullptr,         nullptr},
    {CommandButton, u"cmdGo",    u"Form1",  5760,  1680,  2655,  495,   4,  u"樹形を選んでクリックして下さい",      nullptr,       kDefault, kDefault, &cmdGo_Click,    nullptr},
    {ListBox,       u"List1",    u"Form1",  5400,  8040,  2175,  780,   17, u"",                                   nullptr,       kDefault, kDefault, nullptr,         &catalogue::firstFormSpecies},
    {CommandButton, u"Command1", u"Form1",  3480,  8040,  1815,  615,   20, u"樹木を選んでクリックして下さい",      nullptr,       kDefault, kDefault, &command1_Click, nullptr},
}};
// clang-format on
static_assert(kLayout.size() == 43, "the window and its 42 controls");

constexpr const LayoutEntry *find(std::u16string_view name)
{
    for (const LayoutEntry &control : kLayout) {
        if (control.name == name)
            return &control;
    }
    return nullptr;
}

// Creation order must put each container before what it holds.
constexpr bool containersComeFirst()
{
    for (std::size_t i = 1; i < kLayout.size(); ++i) {
        const LayoutEntry *container = find(kLayout[i].container);
        if (container == nullptr || container >= &kLayout[i])
            return false;
    }
    return kLayout[0].controlClass == Form && kLayout[0].container.empty();
}

// Tab indexes 0..39 are each used once; images have none.
constexpr bool tabIndexesAreDense()
{
    constexpr int kTabStops = 40;
    std::array<int, kTabStops> uses{};
    for (const LayoutEntry &control : kLayout) {
        if (control.tabIndex < 0)
            continue;
        if (control.tabIndex >= kTabStops)
            return false;
        ++uses[static_cast<std::size_t>(control.tabIndex)];
    }
    return std::all_of(uses.begin(), uses.end(), [](int count) { return count == 1; });
}

// Geometry is converted to whole pixels at 96 DPI without rounding.
constexpr bool geometryIsWholePixels()
{
    return std::all_of(kLayout.begin(), kLayout.end(), [](const LayoutEntry &control) {
        return control.left % kTwipsPerPixel == 0 && control.top % kTwipsPerPixel == 0 &&
               control.width % kTwipsPerPixel == 0 && control.height % kTwipsPerPixel == 0;
    });
}

// Enter presses a command button of the window.
constexpr bool defaultButtonIsACommandButton()
{
    return std::any_of(kLayout.begin(), kLayout.end(), [](const LayoutEntry &control) {
        return control.name == kDefaultButton && control.controlClass == CommandButton;
    });
}

static_assert(containersComeFirst());
static_assert(tabIndexesAreDense());
static_assert(geometryIsWholePixels());
static_assert(defaultButtonIsACommandButton());

} // namespace

std::span<const LayoutEntry> layout()
{
    return kLayout;
}

const LayoutEntry *findControl(std::u16string_view name)
{
    return find(name);
}

std::span<const std::u16string_view> initialRows(const LayoutEntry &control)
{
    if (control.rows == nullptr)
        return {};
    return control.rows();
}

Rect windowRectTwips(const LayoutEntry &control)
{
    Rect rect{control.left, control.top, control.width, control.height};
    for (const LayoutEntry *container = find(control.container);
         container != nullptr && container->controlClass != Form; container = find(container->container)) {
        rect.left += container->left;
        rect.top += container->top;
    }
    if (control.controlClass == Form)
        rect.left = rect.top = 0;
    return rect;
}

} // namespace pemtos::window
