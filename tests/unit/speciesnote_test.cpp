// SPDX-License-Identifier: MIT
// The lookup by name; the table itself is held to tests/golden/catalogue.txt.
#include "catalogue/speciesnote.h"

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

TEST(SpeciesNote, EveryListedNameFindsItsOwnRow)
{
    for (const SpeciesNote &row : speciesNotes()) {
        const auto note = findSpeciesNote(row.name);
        ASSERT_TRUE(note.has_value()) << show(row.name);
        EXPECT_EQ(note->data(), row.note.data()) << show(row.name);
    }
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
