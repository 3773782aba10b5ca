// SPDX-License-Identifier: MIT
// The lookup by option; the table itself is held to tests/golden/catalogue.txt.
#include "catalogue/treeform.h"

#include <gtest/gtest.h>

namespace pemtos::catalogue {
namespace {

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

} // namespace
} // namespace pemtos::catalogue
