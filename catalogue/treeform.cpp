// SPDX-License-Identifier: MIT
#include "catalogue/treeform.h"

#include "treeformtable.h"

#include <algorithm>

namespace pemtos::catalogue {
namespace {

constexpr bool numbersFollowTableOrder()
{
    for (std::size_t i = 0; i < kTreeForms.size(); ++i) {
        if (kTreeForms[i].number != static_cast<int>(i) + 1)
            return false;
    }
    return true;
}

constexpr bool optionsAreUnique()
{
    for (std::size_t i = 0; i < kTreeForms.size(); ++i) {
        for (std::size_t j = i + 1; j < kTreeForms.size(); ++j) {
            if (kTreeForms[i].option == kTreeForms[j].option)
                return false;
        }
    }
    return true;
}

static_assert(numbersFollowTableOrder(), "record numbers must be 1..14 in table order");
static_assert(optionsAreUnique(), "each option button selects one record");
static_assert(kTreeForms.size() == kTreeFormCount);

} // namespace

std::u16string_view heightClassHeading(HeightClass heightClass)
{
    return heightClass == HeightClass::Tall ? u"―　高木　―" : u"―　中低木　―";
}

std::span<const TreeFormCategory> treeForms()
{
    return kTreeForms;
}

std::span<const std::u16string_view> firstFormSpecies()
{
    return kTreeForms.front().species;
}

const TreeFormCategory *findTreeFormByOption(std::u16string_view option)
{
    const auto *const found = std::find_if(kTreeForms.begin(), kTreeForms.end(),
                                           [option](const TreeFormCategory &form) { return form.option == option; });
    return found == kTreeForms.end() ? nullptr : &*found;
}

} // namespace pemtos::catalogue
