// SPDX-License-Identifier: MIT
#include "catalogue/speciesnote.h"
#include "catalogue/treeform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace pemtos::catalogue {
namespace {

std::string show(std::optional<std::u16string_view> text)
{
    if (!text)
        return "(no match)";
    std::string out;
    for (char16_t unit : *text) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "U+%04X ", static_cast<unsigned>(unit));
        out += buffer;
    }
    return out;
}

#define EXPECT_NOTE(name, expected)                                                                                    \
    EXPECT_EQ(show(findSpeciesNote(std::u16string_view(name))), show(std::u16string_view(expected))) << "for " #name

TEST(SpeciesNote, TableHasOneRowPerSpeciesThenTheEmptyRow)
{
    const auto rows = speciesNotes();
    ASSERT_EQ(rows.size(), 105U);
    std::size_t row = 0;
    for (const TreeFormCategory &form : treeForms()) {
        for (std::u16string_view name : form.species)
            EXPECT_TRUE(rows[row++].name == name) << "row " << row;
    }
    EXPECT_TRUE(rows.back().name.empty());
    EXPECT_TRUE(rows.back().note.empty());
}

TEST(SpeciesNote, EveryListedNameFindsItsOwnRow)
{
    for (const SpeciesNote &row : speciesNotes()) {
        const auto note = findSpeciesNote(row.name);
        ASSERT_TRUE(note.has_value()) << show(row.name);
        EXPECT_EQ(note->data(), row.note.data()) << show(row.name);
    }
}

TEST(SpeciesNote, NotesAreReturnedCharacterForCharacter)
{
    // Half-width comma and full stop, ASCII digits and letters, and a trailing space.
    EXPECT_NOTE(u"アカエゾマツ", u"常緑針葉樹\u3002高さ40m\uFF64胸高直径1mにもなる円錐形の自然樹形をなす美しい高木");
    EXPECT_NOTE(u"ホルトノキ",
                u"常緑高木\u3002樹皮は灰褐色\u3002葉腋より総状花序を出し\uFF64白い小さな花を多数つける\uFF61\u0020");
    // The ideographic comma beside the full-width one.
    EXPECT_NOTE(u"スギ", u"常緑針葉樹\u3002自然分布としては\u3001本州\u30FB四国\u30FB九州の冷温帯下部から\uFF0C"
                         u"植林などによる人為によって分布は暖温帯全体にまで広がっている");
    // ASCII comma and parentheses.
    EXPECT_NOTE(u"ドイツトウヒ", u"北欧風常緑針葉樹\u002C球果\u0028マツボックリ\u0029が付く\u3002");
    // An ASCII comma beside full-width ones.
    EXPECT_NOTE(u"シンジュ", u"落葉高木\u002Cニワウルシとも呼ばれる\u3002実は赤くなり\uFF0C熟すと褐色になる\u3002");
    // Full-width parentheses and digits, the full-width tilde.
    EXPECT_NOTE(u"ヤマモモ",
                u"常緑高木\u3002台湾から中国\u30FBフィリピンにも分布\u3002果実は黒赤色に熟す\uFF08夏\uFF09\u3002");
    EXPECT_NOTE(u"クスノキ",
                u"常緑高木\u3002常緑樹だが葉の寿命は\uFF11年間で\uFF0C春に新葉がでる\u3002果実は秋に黒く熟す\u3002");
    EXPECT_NOTE(u"マテバシイ", u"常緑高木\u3002\uFF15月のおわり頃から\uFF16月にかけ尾状の花序を形成する\u3002"
                               u"ドングリはそのままでも食べられる\u3002");
    EXPECT_NOTE(u"シダレエンジュ", u"マメ科に属する落葉高木\u3002"
                                   u"7\uFF5E8月で\uFF0C蝶形の小さい白花をつける\u3002");
    // Trailing full-width commas and a trailing space.
    EXPECT_NOTE(u"ケヤキ", u"紅葉は赤色\uFF0C");
    EXPECT_NOTE(u"サクラ", u"紅葉は赤色\uFF0C花の色はピンク色\uFF0C北米風落葉樹\uFF0C");
    EXPECT_NOTE(u"シダレウメ", u"落葉高木\u3002花の色は\uFF0C白\uFF0C白紅\uFF0C淡紅\u0020");
    EXPECT_NOTE(u"ムベ", u"常緑のつるになる\u3002実はアケビに似るが裂けない\u3002");
}

TEST(SpeciesNote, LookAlikeNotesStayDistinct)
{
    EXPECT_NOTE(u"ユリノキ", u"黄葉は黄色\uFF0C北欧風または北米風落葉樹");
    EXPECT_NOTE(u"ポプラ", u"黄葉は黄色\uFF0C北米風または北欧風落葉樹");
    EXPECT_NOTE(u"ニセアカシア", u"黄葉は黄色\uFF0C花の色は白\uFF0C北米風落葉樹");
    EXPECT_NOTE(u"エンジュ", u"黄葉は黄色\uFF0C花の色は白色\uFF0C北米風落葉樹");
    EXPECT_NOTE(u"シダレザクラ", u"紅葉は赤色\uFF0C花の色はピンク色");
}

TEST(SpeciesNote, SharedNotesAreTheSameText)
{
    for (std::u16string_view name : {u"フウ", u"プラタナス", u"アキニレ", u"ハルニレ"})
        EXPECT_NOTE(name, u"北米風落葉樹");
    for (std::u16string_view name : {u"オオムラサキツツジ", u"カンツバキ", u"キリシマツツジ", u"サツキ"})
        EXPECT_NOTE(name, u"常緑低木");
}

TEST(SpeciesNote, AnEmptyNoteIsAMatchNotAMiss)
{
    const std::u16string_view emptyNoted[] = {u"シダレカツラ", u"ニオイシュロラン", u"クジャクヒバ", u"コノテガシワ",
                                              u"シノブヒバ",   u"カイズカイブキ",   u"カナメモチ",   u"ハマヒサカキ",
                                              u"ヒラドツツジ", u"ヒョウガミズキ",   u"イタビカズラ", u"ナツヅタ"};
    for (std::u16string_view name : emptyNoted) {
        const auto note = findSpeciesNote(name);
        ASSERT_TRUE(note.has_value()) << show(name);
        EXPECT_TRUE(note->empty()) << show(name);
    }
    const auto emptyRows = std::count_if(speciesNotes().begin(), speciesNotes().end(),
                                         [](const SpeciesNote &row) { return row.note.empty(); });
    EXPECT_EQ(emptyRows, 13);
}

TEST(SpeciesNote, NothingSelectedFindsTheEmptyRow)
{
    for (const std::optional<std::u16string_view> key :
         {std::optional<std::u16string_view>{}, std::optional<std::u16string_view>{u""}}) {
        const auto note = findSpeciesNote(key);
        ASSERT_TRUE(note.has_value());
        EXPECT_TRUE(note->empty());
    }
}

TEST(SpeciesNote, OtherWritingsOfANameFindNothing)
{
    const std::u16string_view misses[] = {
        u"\uFF7D\uFF77\uFF9E", // スギ in half-width katakana
        u"すぎ",               // in hiragana
        u" スギ",
        u"スギ ",
        u"\u3000スギ",
        u"スギ\u3000",
        u"スギ\n",
        u"ｽｷﾞ",
        u"ヤシ",
        u"ヤシ類 ",
        u"逆卵円形",
        u"盃状形", // tree-form captions
        u"\u2015\u3000高木\u3000\u2015",
        u"選択樹形の特徴 ・・",            // window headings
        u"\u3000\u3000\u3000\u3000\u3000", // the blank caption
        u"北米風落葉樹",                   // a note is not a name
    };
    for (std::u16string_view miss : misses)
        EXPECT_FALSE(findSpeciesNote(miss).has_value()) << show(miss);
}

} // namespace
} // namespace pemtos::catalogue
