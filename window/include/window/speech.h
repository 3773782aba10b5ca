// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace pemtos::window {

/// Where the tree-form option `option` stands among the fourteen, 1 to 14 in
/// tree-form order, so that a screen reader says "n of 14" whatever else shares
/// the option's container; 0 for a control that is not a tree-form option.
int optionPosition(std::u16string_view option);

/// The height group of the tree-form option `option` in words, 高木 or 中低木 (its
/// heading without the dashes and spaces); empty for a control that is not one.
std::u16string_view optionGroup(std::u16string_view option);

/// What a screen reader adds about the tree-form option `option`: its height group,
/// then what its drawing shows. Two options share the captions 盃状形 and 枝垂形, so
/// only this tells them apart by ear. Empty for a control that is not a tree-form option.
std::u16string optionDescription(std::u16string_view option);

/// What a screen reader is told once, politely, after the tree-form command: the
/// description `Label2` now shows and how many species `List1` now holds; or, when
/// the description is blank, that no tree form was chosen and the list is empty.
std::u16string treeFormAnnouncement(std::u16string_view description, int speciesCount);

/// What a screen reader is told once, politely, after the species-note command: the
/// note `Label3` now shows; when it is empty, whether that is because no species was
/// chosen (`rowSelected` false) or because the species has no note.
std::u16string speciesNoteAnnouncement(std::u16string_view note, bool rowSelected);

} // namespace pemtos::window
