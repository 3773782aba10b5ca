// SPDX-License-Identifier: MIT
// The whole catalogue, dumped and compared with tests/golden/catalogue.txt: every
// tree form's option, caption, heading, description and species in order, and
// every species note. goldentext.h says how texts are written and how to update.
#include "catalogue/speciesnote.h"
#include "catalogue/treeform.h"
#include "goldentext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pemtos::catalogue {
namespace {

using golden::quoted;
using golden::utf8;

std::vector<std::string> dumpCatalogue()
{
    std::vector<std::string> lines;
    for (const TreeFormCategory &form : treeForms()) {
        const bool tall = form.heightClass == HeightClass::Tall;
        lines.push_back("form " + std::to_string(form.number) + " " + utf8(form.option) + " " + quoted(form.caption) +
                        (tall ? " tall " : " medium/low ") + quoted(heightClassHeading(form.heightClass)));
        lines.push_back("  description " + quoted(form.description));
        int position = 0;
        for (std::u16string_view name : form.species)
            lines.push_back("  species " + std::to_string(++position) + " " + quoted(name));
    }
    int row = 0;
    for (const SpeciesNote &note : speciesNotes())
        lines.push_back("note " + std::to_string(++row) + " " + quoted(note.name) + " -> " + quoted(note.note));
    return lines;
}

TEST(CatalogueGolden, TheTablesHoldExactlyTheGoldenTexts)
{
    golden::expectMatchesGolden("catalogue.txt", dumpCatalogue());
}

TEST(CatalogueGolden, TheGoldenTextsSurviveTheRoundTrip)
{
    // What the window tests read back from the golden file is what it says.
    const golden::Catalogue &read = golden::catalogue();
    ASSERT_EQ(read.forms.size(), 14U);
    ASSERT_EQ(read.notes.size(), 105U);
    EXPECT_EQ(read.form(u"Option11").species.back(), u"ムベ");
    EXPECT_EQ(read.note(u"ホルトノキ"),
              u"常緑高木。樹皮は灰褐色。葉腋より総状花序を出し\uFF64白い小さな花を多数つける\uFF61 ");
    EXPECT_EQ(read.note(u"ケヤキ"), u"紅葉は赤色\uFF0C");
}

} // namespace
} // namespace pemtos::catalogue
