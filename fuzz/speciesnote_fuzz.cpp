// SPDX-License-Identifier: MIT
// The note lookup against a plain walk of the note table: for any text, or no
// value, both give the same note or both give no match, and nothing crashes.
#include "catalogue/speciesnote.h"
#include "fuzzinput.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace {

using pemtos::catalogue::SpeciesNote;

bool sameUnits(std::u16string_view left, std::u16string_view right)
{
    if (left.size() != right.size())
        return false;
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (left[i] != right[i])
            return false;
    }
    return true;
}

/// Rows in order, the first with exactly these units; no value stands for the empty text.
const SpeciesNote *walk(const std::optional<std::u16string> &name)
{
    const std::u16string_view key = name ? std::u16string_view(*name) : std::u16string_view();
    for (const SpeciesNote &row : pemtos::catalogue::speciesNotes()) {
        if (sameUnits(row.name, key))
            return &row;
    }
    return nullptr;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::optional<std::u16string> name = pemtos::fuzz::noteArgumentOf(data, size);
    const std::optional<std::u16string_view> argument =
        name ? std::optional<std::u16string_view>(*name) : std::optional<std::u16string_view>();
    const std::optional<std::u16string_view> found = pemtos::catalogue::findSpeciesNote(argument);
    const SpeciesNote *expected = walk(name);
    const std::u16string_view shown = name ? std::u16string_view(*name) : std::u16string_view();

    if (found.has_value() != (expected != nullptr))
        pemtos::fuzz::mismatch(expected != nullptr ? "a row exists but no note was found" : "a note without a row",
                               shown);
    if (expected != nullptr && !sameUnits(*found, expected->note))
        pemtos::fuzz::mismatch("another row's note", shown);
    return 0;
}
