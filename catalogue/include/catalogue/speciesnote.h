// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace pemtos::catalogue {

/// A species name and the note shown for it; the note may be the empty text.
struct SpeciesNote {
    std::u16string_view name;
    std::u16string_view note;
};

/// All rows in table order: one per species name, then the empty-name row.
std::span<const SpeciesNote> speciesNotes();

/// The note for `name`, compared by exact UTF-16 code units. No value stands for
/// "nothing selected" and is looked up as the empty text, which has a row of its
/// own. Returns no value when no row has that name: an ordinary outcome, distinct
/// from a row whose note is empty.
std::optional<std::u16string_view> findSpeciesNote(std::optional<std::u16string_view> name);

} // namespace pemtos::catalogue
