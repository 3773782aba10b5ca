// SPDX-License-Identifier: MIT
#include "window/layout.h"

#include "catalogue/treeform.h"
#include "window/handlers.h"
#include "window/illustrations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace pemtos::window {
namespace {

std::string ascii(std::u16string_view name)
{
    return {name.begin(), name.end()};
}

const LayoutEntry &control(std::u16string_view name)
{
    const LayoutEntry *entry = findControl(name);
    if (entry == nullptr)
        throw std::out_of_range(ascii(name));
    return *entry;
}

bool windowed(const LayoutEntry &entry)
{
    return entry.controlClass != ControlClass::Label && entry.controlClass != ControlClass::Image;
}

/// The windowed children of `container`, from the top of the stack down.
std::vector<std::u16string_view> stackFromTop(std::u16string_view container)
{
    std::vector<std::u16string_view> names;
    for (const LayoutEntry &entry : layout()) {
        if (entry.container == container && windowed(entry))
            names.insert(names.begin(), entry.name);
    }
    return names;
}

TEST(Layout, HoldsTheWindowAndItsFortyTwoControls)
{
    std::map<ControlClass, int> counts;
    for (const LayoutEntry &entry : layout())
        ++counts[entry.controlClass];
    EXPECT_EQ(counts[ControlClass::Form], 1);
    EXPECT_EQ(counts[ControlClass::Frame], 1);
    EXPECT_EQ(counts[ControlClass::OptionButton], 14);
    EXPECT_EQ(counts[ControlClass::CommandButton], 2);
    EXPECT_EQ(counts[ControlClass::ListBox], 1);
    EXPECT_EQ(counts[ControlClass::Label], 7);
    EXPECT_EQ(counts[ControlClass::PictureBox], 15);
    EXPECT_EQ(counts[ControlClass::Image], 2);
    EXPECT_EQ(layout().front().name, u"Form1");
    EXPECT_EQ(windowRectTwips(layout().front()), (Rect{0, 0, 14325, 9360}));
    EXPECT_EQ(toPixels(windowRectTwips(layout().front())), (Rect{0, 0, 955, 624}));
}

TEST(Layout, FrameChildrenLieAtTheirWindowPositions)
{
    struct Expected {
        std::u16string_view name;
        int windowLeft;
        int windowTop;
    };
    // clang-format off
    const Expected expected[] = {
        {u"Label4", 5280, 480},    {u"Label1", 1080, 960},     {u"Picture9", 6840, 1440},  {u"Label10", 6480, 2280},
        {u"optUran", 360, 3120},   {u"Picture1", 1200, 2640},  {u"optNuman", 2520, 3120},  {u"Picture2", 3480, 2640},
        {u"optRera", 4680, 3000},  {u"Picture3", 5760, 2640},  {u"Option1", 6960, 3000},   {u"Picture4", 7800, 2640},
        {u"Option2", 9120, 3000},  {u"Picture5", 10080, 2640}, {u"Option3", 11280, 3000},  {u"Picture6", 12240, 2640},
        {u"Option4", 360, 4080},   {u"Picture7", 1200, 3960},  {u"Option5", 2520, 4320},   {u"Picture8", 3480, 3960},
        {u"Label11", 6360, 5160},  {u"Option6", 360, 5880},    {u"Picture10", 1200, 5520}, {u"Option7", 2520, 5760},
        {u"Picture11", 3480, 5520},{u"Option8", 4560, 5880},   {u"Picture12", 5520, 5640}, {u"Option9", 6840, 5880},
        {u"Picture13", 7800, 5640},{u"Option10", 9120, 5880},  {u"Picture14", 9960, 5640}, {u"Option11", 11160, 5880},
        {u"Picture15", 12240, 5640},
    };
    // clang-format on
    for (const Expected &row : expected) {
        const LayoutEntry &entry = control(row.name);
        EXPECT_EQ(entry.container, u"Frame2") << ascii(row.name);
        const Rect rect = windowRectTwips(entry);
        EXPECT_EQ(rect.left, row.windowLeft) << ascii(row.name);
        EXPECT_EQ(rect.top, row.windowTop) << ascii(row.name);
        EXPECT_EQ(rect.width, entry.width);
    }
    EXPECT_EQ(windowRectTwips(control(u"cmdGo")), (Rect{5760, 1680, 2655, 495})) << "a child of the window";
}

TEST(Layout, TabOrderFollowsTheDesign)
{
    const std::u16string_view expected[] = {
        u"Frame2",   u"optUran",   u"optNuman", u"optRera",   u"cmdGo",    u"Picture1",  u"Picture2", u"Option1",
        u"Option2",  u"Option3",   u"Option4",  u"Picture3",  u"Picture4", u"Picture5",  u"Picture6", u"Picture7",
        u"Picture8", u"List1",     u"Label3",   u"Option5",   u"Command1", u"Option6",   u"Picture9", u"Picture10",
        u"Option7",  u"Picture11", u"Option8",  u"Picture12", u"Option9",  u"Picture13", u"Option10", u"Picture14",
        u"Option11", u"Picture15", u"Label10",  u"Label11",   u"Label2",   u"Label12",   u"Label1",   u"Label4"};
    for (int index = 0; index < static_cast<int>(std::size(expected)); ++index)
        EXPECT_EQ(control(expected[index]).tabIndex, index) << ascii(expected[index]);
    EXPECT_EQ(control(u"Image1").tabIndex, -1);
    EXPECT_EQ(control(u"Image2").tabIndex, -1);
}

TEST(Layout, StackingPutsCmdGoAboveTheFrameAndPicturesAboveOptions)
{
    const std::vector<std::u16string_view> window = {u"Command1", u"List1", u"cmdGo", u"Frame2"};
    EXPECT_EQ(stackFromTop(u"Form1"), window);
    const std::vector<std::u16string_view> frame = {
        u"Picture15", u"Option11", u"Picture14", u"Option10", u"Picture13", u"Option9", u"Picture12", u"Option8",
        u"Picture11", u"Option7",  u"Picture10", u"Picture9", u"Option6",   u"Option5", u"Picture8",  u"Picture7",
        u"Picture6",  u"Picture5", u"Picture4",  u"Picture3", u"Option4",   u"Option3", u"Option2",   u"Option1",
        u"Picture2",  u"Picture1", u"optRera",   u"optNuman", u"optUran"};
    EXPECT_EQ(stackFromTop(u"Frame2"), frame);

    // Labels and images are drawn beneath every windowed control of their container.
    for (const LayoutEntry &entry : layout()) {
        if (windowed(entry) || entry.controlClass == ControlClass::Form)
            continue;
        for (const LayoutEntry *earlier = layout().data(); earlier != &entry; ++earlier) {
            if (earlier->container == entry.container) {
                EXPECT_FALSE(windowed(*earlier)) << ascii(entry.name) << " lies above " << ascii(earlier->name);
            }
        }
    }
}

TEST(Layout, IllustrationsStandRightOfTheirOptionAndCoverItsRightEdge)
{
    struct Cover {
        std::u16string_view option;
        int twips;
    };
    const Cover covers[] = {{u"optUran", 375}, {u"optNuman", 255}, {u"Option4", 255}, {u"optRera", 135},
                            {u"Option6", 135}, {u"Option1", 15},   {u"Option2", 15},  {u"Option3", 15},
                            {u"Option10", 15}, {u"Option5", 0},    {u"Option7", 0},   {u"Option8", 0},
                            {u"Option9", 0},   {u"Option11", 0}};
    for (const Cover &cover : covers) {
        const LayoutEntry &option = control(cover.option);
        const auto art = std::find_if(illustrations().begin(), illustrations().end(),
                                      [&](const Illustration &item) { return item.option == cover.option; });
        ASSERT_NE(art, illustrations().end());
        const LayoutEntry &picture = control(art->picture);
        EXPECT_EQ(std::max(0, option.left + option.width - picture.left), cover.twips) << ascii(cover.option);
        EXPECT_GE(option.top - picture.top, 120) << ascii(cover.option);
        EXPECT_LE(option.top - picture.top, 480) << ascii(cover.option);
    }
    EXPECT_EQ(findIllustration(u"Picture9"), nullptr);
}

TEST(Layout, FontsAndColoursAsDesigned)
{
    for (std::u16string_view name : {u"Label10", u"Label11", u"Label12"}) {
        ASSERT_NE(control(name).font, nullptr);
        EXPECT_EQ(control(name).font->face, u"ＭＳ Ｐゴシック");
        EXPECT_EQ(control(name).font->centiPoints, 1125);
        EXPECT_EQ(control(name).font->weight, 700);
    }
    EXPECT_EQ(control(u"Frame2").font->centiPoints, 1200);
    EXPECT_EQ(control(u"Label4").font->face, u"HGP創英角ﾎﾟｯﾌﾟ体");
    EXPECT_EQ(control(u"Label4").font->weight, 400);
    int withFont = 0;
    for (const LayoutEntry &entry : layout())
        withFont += entry.font != nullptr ? 1 : 0;
    EXPECT_EQ(withFont, 5) << "every other control uses the default font";

    for (const LayoutEntry &entry : layout()) {
        const bool sharesBackground =
            entry.controlClass == ControlClass::Form || entry.controlClass == ControlClass::Frame ||
            entry.controlClass == ControlClass::OptionButton || entry.controlClass == ControlClass::Label;
        EXPECT_EQ(entry.backColour, sharesBackground ? std::optional(window::kSystemInactiveCaptionText) : std::nullopt)
            << ascii(entry.name);
        const bool coloursText = entry.name == u"Label4" || entry.name == u"Label2" || entry.name == u"Label3";
        EXPECT_EQ(entry.foreColour, coloursText ? std::optional(window::kSystemBackground) : std::nullopt)
            << ascii(entry.name);
    }
}

TEST(Layout, OnlyTheTwoCommandsHaveHandlersAndTheListOpensWithTreeFormOne)
{
    for (const LayoutEntry &entry : layout()) {
        if (entry.name == u"cmdGo")
            EXPECT_EQ(entry.onClick, &cmdGo_Click);
        else if (entry.name == u"Command1")
            EXPECT_EQ(entry.onClick, &command1_Click);
        else
            EXPECT_EQ(entry.onClick, nullptr) << ascii(entry.name);
    }
    const auto rows = initialRows(control(u"List1"));
    const auto species = catalogue::treeForms().front().species;
    EXPECT_TRUE(std::equal(rows.begin(), rows.end(), species.begin(), species.end()));
    EXPECT_EQ(control(u"Label12").caption, u"選択樹形の特徴\u0020\u30FB\u30FB");
    EXPECT_EQ(control(u"Label10").caption, u"\u2015\u3000高木\u3000\u2015");
    EXPECT_EQ(control(u"Label11").caption, u"\u2015\u3000中低木\u3000\u2015");
    EXPECT_TRUE(control(u"Label2").caption.empty());
    EXPECT_TRUE(control(u"Label3").caption.empty());
}

} // namespace
} // namespace pemtos::window
