// SPDX-License-Identifier: MIT
#include "catalogue/treeform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>

namespace pemtos::catalogue {
namespace {

struct ExpectedForm {
    std::u16string_view option;
    std::u16string_view caption;
    HeightClass heightClass;
    std::size_t speciesCount;
    std::u16string_view firstSpecies;
    std::u16string_view lastSpecies;
};

// clang-format off
constexpr ExpectedForm kExpected[] = {
    {u"optUran",  u"円錐形",       HeightClass::Tall,      12, u"アカエゾマツ",       u"メタセコイヤ"},
    {u"optNuman", u"卵円形",       HeightClass::Tall,      15, u"アオギリ",           u"ユリノキ"},
    {u"optRera",  u"逆卵円形",     HeightClass::Tall,      6,  u"コブシ",             u"ニセアカシア"},
    {u"Option1",  u"球形",         HeightClass::Tall,      8,  u"アキニレ",           u"マテバシイ"},
    {u"Option2",  u"円柱形",       HeightClass::Tall,      2,  u"ポプラ",             u"スカイロケット"},
    {u"Option3",  u"盃状形",       HeightClass::Tall,      3,  u"ケヤキ",             u"トチノキ"},
    {u"Option4",  u"枝垂形",       HeightClass::Tall,      5,  u"シダレウメ",         u"シダレヤナギ"},
    {u"Option5",  u"頂上葉",       HeightClass::Tall,      2,  u"ヤシ類",             u"ニオイシュロラン"},
    {u"Option6",  u"円錐形円柱形", HeightClass::MediumLow, 6,  u"クジャクヒバ",       u"ヒムロ"},
    {u"Option7",  u"卵円形球形",   HeightClass::MediumLow, 12, u"イヌツゲ",           u"モッコク"},
    {u"Option8",  u"盃状形",       HeightClass::MediumLow, 11, u"オオムラサキツツジ", u"ヒラドツツジ"},
    {u"Option9",  u"株立形",       HeightClass::MediumLow, 7,  u"アジサイ",           u"ヒョウガミズキ"},
    {u"Option10", u"枝垂形",       HeightClass::MediumLow, 9,  u"ウツギ",             u"レンギョウ"},
    {u"Option11", u"ほふく形",     HeightClass::MediumLow, 6,  u"イタビカズラ",       u"ムベ"},
};
// clang-format on

TEST(TreeForm, RecordsFollowTheWindowsOrder)
{
    const auto forms = treeForms();
    ASSERT_EQ(forms.size(), std::size(kExpected));
    for (std::size_t i = 0; i < forms.size(); ++i) {
        SCOPED_TRACE(i);
        const ExpectedForm &expected = kExpected[i];
        EXPECT_EQ(forms[i].number, static_cast<int>(i + 1));
        EXPECT_TRUE(forms[i].option == expected.option);
        EXPECT_TRUE(forms[i].caption == expected.caption);
        EXPECT_EQ(forms[i].heightClass, expected.heightClass);
        ASSERT_EQ(forms[i].species.size(), expected.speciesCount);
        EXPECT_TRUE(forms[i].species.front() == expected.firstSpecies);
        EXPECT_TRUE(forms[i].species.back() == expected.lastSpecies);
    }
}

TEST(TreeForm, HoldsOneHundredAndFourDistinctSpecies)
{
    std::set<std::u16string_view> names;
    std::size_t total = 0;
    for (const TreeFormCategory &form : treeForms()) {
        total += form.species.size();
        names.insert(form.species.begin(), form.species.end());
    }
    EXPECT_EQ(total, 104U);
    EXPECT_EQ(names.size(), 104U) << "no species name occurs in two lists";
}

TEST(TreeForm, FirstListKeepsItsDisplayOrder)
{
    const std::u16string_view expected[] = {
        u"アカエゾマツ",       u"イチイ",       u"スギ",   u"イチョウ", u"コウヤマキ",   u"モミ",
        u"コバノナンヨウスギ", u"ドイツトウヒ", u"ヒノキ", u"カラマツ", u"ヒマラヤスギ", u"メタセコイヤ"};
    const auto species = treeForms().front().species;
    EXPECT_TRUE(std::equal(species.begin(), species.end(), std::begin(expected), std::end(expected)));
}

TEST(TreeForm, DescriptionsKeepTheirPunctuationExactly)
{
    // Descriptions 2 to 6 separate clauses with ASCII commas; every full stop is U+3002.
    EXPECT_TRUE(treeForms()[0].description ==
                u"主幹が樹冠の先端まで真っ直ぐ通り枝が規則的に分岐。剪定しなくても自然に整った樹形となる。");
    EXPECT_TRUE(treeForms()[1].description ==
                u"主幹があり\u002C卵円形の樹冠を形成する枝抜き剪定により樹冠を整える\u3002");
    EXPECT_TRUE(treeForms()[13].description == u"地面や壁面を這うように伸びる\u3002");
    for (std::size_t i = 0; i < treeForms().size(); ++i) {
        const std::u16string_view description = treeForms()[i].description;
        SCOPED_TRACE(i + 1);
        const bool hasAsciiComma = description.find(u',') != std::u16string_view::npos;
        EXPECT_EQ(hasAsciiComma, i >= 1 && i <= 5);
        EXPECT_EQ(description.find(u'\uFF0C'), std::u16string_view::npos);
        EXPECT_EQ(description.find(u'.'), std::u16string_view::npos);
        EXPECT_EQ(description.back(), u'\u3002');
    }
}

TEST(TreeForm, LookupByOptionFindsEachRecord)
{
    for (const TreeFormCategory &form : treeForms())
        EXPECT_EQ(findTreeFormByOption(form.option), &form);
}

TEST(TreeForm, LookupIgnoresCaptionsAndNearMisses)
{
    // "盃状形" and "枝垂形" are the captions of two records each: only options identify a record.
    for (std::u16string_view notAnOption :
         {u"盃状形", u"枝垂形", u"", u"opturan", u"Option12", u"Option0", u" optUran", u"Frame2", u"cmdGo"})
        EXPECT_EQ(findTreeFormByOption(notAnOption), nullptr);
    EXPECT_EQ(findTreeFormByOption(u"Option3")->number, 6);
    EXPECT_EQ(findTreeFormByOption(u"Option8")->number, 11);
    EXPECT_EQ(findTreeFormByOption(u"Option4")->number, 7);
    EXPECT_EQ(findTreeFormByOption(u"Option10")->number, 13);
}

TEST(TreeForm, HeadingsUseIdeographicSpaces)
{
    EXPECT_TRUE(heightClassHeading(HeightClass::Tall) == u"\u2015\u3000高木\u3000\u2015");
    EXPECT_TRUE(heightClassHeading(HeightClass::MediumLow) == u"\u2015\u3000中低木\u3000\u2015");
}

} // namespace
} // namespace pemtos::catalogue
