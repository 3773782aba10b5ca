// SPDX-License-Identifier: MIT
#include "catalogue/speciesnote.h"

#include "speciesnotetable.h"
#include "treeformtable.h"

#include <algorithm>

namespace pemtos::catalogue {
namespace {

// The note table is keyed by the species lists: the lists, read in table order,
// must give exactly the note rows' names in the same order, and the last row must
// be the one that answers for an empty selection. Checked here so that an edit to
// either table cannot let them drift apart.
constexpr bool namesFollowSpeciesLists()
{
    std::size_t row = 0;
    for (const TreeFormCategory &form : kTreeForms) {
        for (std::u16string_view name : form.species) {
            if (row >= kSpeciesNotes.size() || kSpeciesNotes[row].name != name)
                return false;
            ++row;
        }
    }
    return row + 1 == kSpeciesNotes.size() && kSpeciesNotes[row].name.empty() && kSpeciesNotes[row].note.empty();
}

constexpr bool namesAreUnique()
{
    for (std::size_t i = 0; i < kSpeciesNotes.size(); ++i) {
        for (std::size_t j = i + 1; j < kSpeciesNotes.size(); ++j) {
            if (kSpeciesNotes[i].name == kSpeciesNotes[j].name)
                return false;
        }
    }
    return true;
}

static_assert(kSpeciesNotes.size() == kSpeciesNameCount + 1);
static_assert(namesFollowSpeciesLists(), "note rows must follow the tree-form species lists");
static_assert(namesAreUnique(), "a species name has exactly one note row");

} // namespace

std::span<const SpeciesNote> speciesNotes()
{
    return kSpeciesNotes;
}

std::optional<std::u16string_view> findSpeciesNote(std::optional<std::u16string_view> name)
{
    const std::u16string_view key = name.value_or(std::u16string_view{});
    const auto *const found = std::find_if(kSpeciesNotes.begin(), kSpeciesNotes.end(),
                                           [key](const SpeciesNote &row) { return row.name == key; });
    if (found == kSpeciesNotes.end())
        return std::nullopt;
    return found->note;
}

} // namespace pemtos::catalogue
