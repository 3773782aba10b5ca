// SPDX-License-Identifier: MIT
#include "window/colours.h"
#include "window/controlerror.h"

#include <gtest/gtest.h>

namespace pemtos::window {
namespace {

TEST(ControlError, ReportNamesTheControlItsInterfaceAndTheOperation)
{
    struct Case {
        Operation operation;
        std::u16string_view control;
        std::u16string_view interface;
        std::u16string_view operationText;
    };
    const Case cases[] = {
        {Operation::CaptionSet, u"Label2", u"Label", u"Caption の設定"},
        {Operation::Clear, u"List1", u"ListBox", u"Clear"},
        {Operation::AddItem, u"List1", u"ListBox", u"AddItem"},
        {Operation::ListIndexGet, u"List1", u"ListBox", u"ListIndex の取得"},
        {Operation::ListGet, u"List1", u"ListBox", u"List の取得"},
        {Operation::ValueGet, u"Option11", u"OptionButton", u"Value の取得"},
    };
    for (const Case &item : cases) {
        const std::u16string text = errorReportText(ControlError{item.operation, std::u16string(item.control)});
        EXPECT_EQ(interfaceName(interfaceOf(item.operation)), item.interface);
        EXPECT_NE(text.find(item.control), std::u16string::npos);
        std::u16string inParentheses = u"(";
        inParentheses += item.interface;
        inParentheses += u")";
        EXPECT_NE(text.find(inParentheses), std::u16string::npos);
        EXPECT_NE(text.find(item.operationText), std::u16string::npos);
        EXPECT_NE(text.find(u"実行時エラー"), std::u16string::npos);
    }
}

TEST(Colours, WindowColoursResolveToTheClassicScheme)
{
    EXPECT_EQ(resolveColour(kSystemInactiveCaptionText), (Rgb{192, 192, 192}));
    EXPECT_EQ(resolveColour(kSystemBackground), (Rgb{0, 128, 128}));
    EXPECT_EQ(resolveColour(0x80000012U), (Rgb{0, 0, 0})) << "button text";
    EXPECT_EQ(resolveColour(0x8000000FU), (Rgb{192, 192, 192})) << "button face";
    EXPECT_NE(resolveColour(kSystemBackground), resolveColour(kSystemInactiveCaptionText))
        << "title text must stand out from the background";
}

TEST(Colours, PlainColoursAreBlueGreenRed)
{
    EXPECT_EQ(resolveColour(0x00112233U), (Rgb{0x33, 0x22, 0x11}));
    EXPECT_EQ(resolveColour(0x00FFFFFFU), (Rgb{255, 255, 255}));
    EXPECT_EQ(resolveColour(0x800000FFU), (Rgb{0, 0, 0})) << "an unknown system colour";
}

} // namespace
} // namespace pemtos::window
