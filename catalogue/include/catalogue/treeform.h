// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace pemtos::catalogue {

/// Which heading of the window a tree form stands under.
enum class HeightClass {
    Tall,      ///< under "―　高木　―"
    MediumLow, ///< under "―　中低木　―"
};

/// One tree form: the option button that selects it and what the window shows for it.
struct TreeFormCategory {
    int number;                  ///< 1 to 14: position in the table
    std::u16string_view option;  ///< design name of the selecting option button
    std::u16string_view caption; ///< the option button's caption (not unique)
    HeightClass heightClass;
    std::u16string_view description;              ///< text for the description label
    std::span<const std::u16string_view> species; ///< names for the species list, in display order
};

/// How many tree forms there are: one option button and one drawing each.
inline constexpr std::size_t kTreeFormCount = 14;

/// The heading text of a height class, exactly as the window shows it.
std::u16string_view heightClassHeading(HeightClass heightClass);

/// All tree forms in table order (record 1 first).
std::span<const TreeFormCategory> treeForms();

/// The species of the first tree form, in display order: what the species list
/// holds when the window opens, before any form was looked up.
std::span<const std::u16string_view> firstFormSpecies();

/// The record selected by the option button named `option`, or nullptr if no
/// record belongs to it. Captions are ambiguous, so this is the only lookup.
const TreeFormCategory *findTreeFormByOption(std::u16string_view option);

} // namespace pemtos::catalogue
