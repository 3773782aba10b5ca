// SPDX-License-Identifier: MIT
#pragma once

#include "window/layout.h"

#include <cstdint>
#include <string>
#include <string_view>

// The page's side of the backend, in pemtos-page.js: each call acts on the page
// element of one control, named by its design name. Calls that stand for a control
// operation return whether the control exists and is of the class the operation needs.
namespace pemtos::web::dom {

/// Where a control goes in the page, besides its designed rectangle.
struct Placement {
    int readingRank;          ///< position among its container's children in the one-column layout
    std::u16string_view card; ///< the option whose card holds it (an option and its drawing); empty: none
    int headingLevel;         ///< 1 or 2 for a label that heads what follows; 0 otherwise
};

/// Creates the element of `entry` in its container, stacked at `stack` (higher is on top).
void create(const window::LayoutEntry &entry, const Placement &placement, int stack);
/// Places the control at its designed rectangle, in pixels relative to its container.
void place(std::u16string_view name, const window::Rect &pixels);
/// Sets the CSS font chain, size in pixels and weight of the control's text.
void setFont(std::u16string_view name, std::u16string_view family, int pixels, int weight);
/// Defines the font family `alias` as the installed face `family` drawn at `percent` of its size.
void defineScaledFace(std::u16string_view alias, std::u16string_view family, int percent);
/// Sets the background and text colours as 0xRRGGBB; -1 keeps the page's default.
void setColours(std::u16string_view name, std::int32_t back, std::int32_t fore);
/// Names and describes the control for screen readers; empty texts add nothing.
void describe(std::u16string_view name, std::u16string_view accessibleName, std::u16string_view description);
/// Shows the drawing `file` (art/<file>.png, with art/<file>@2x.png for dense screens).
void setPicture(std::u16string_view name, std::string_view file, int width, int height, std::u16string_view alt);
/// Which of the two lookups a command makes: what the page's address keeps of it.
enum class Lookup { None, TreeForm, Species };

/// Runs the click handler of layout entry `entry` when the control is clicked; on a
/// narrow screen the label `result`, which shows what the command found, is then
/// brought into view, and the page's address records the lookup.
void onClick(std::u16string_view name, int entry, std::u16string_view result, Lookup lookup);
/// Tells screen readers `text` once, politely, without moving the focus.
void announce(std::u16string_view text);
/// Gives the tree-form option its place among the `count` options ("n of 14") and
/// its description, the height group and the drawing, as screen readers hear it;
/// `address` names it in the page's address, readably and unlike any other option.
void describeOption(std::u16string_view option, int position, int count, std::u16string_view description,
                    std::u16string_view address);
/// Gives the focus to the control, as the window does when it opens; only in the
/// designed layout, where a phone's keyboard would otherwise pop up.
void focusFirst(std::u16string_view name);

bool setCaption(std::u16string_view label, std::u16string_view text);
bool clear(std::u16string_view list);
/// Fails also when the list already holds as many rows as a 16-bit index reaches.
bool addItem(std::u16string_view list, std::u16string_view text);
/// The selected row, -1 for none; no value when `list` is not a list box.
bool listIndex(std::u16string_view list, std::int16_t &index);
/// The text of row `index`; fails for a row the list does not have.
bool listText(std::u16string_view list, std::int16_t index, std::u16string &text);
bool value(std::u16string_view option, bool &checked);
/// The caption the label shows; fails when `label` is no label.
bool caption(std::u16string_view label, std::u16string &text);
/// How many rows the list holds, -1 when `list` is no list box.
int rowCount(std::u16string_view list);
/// Shows the run-time error report as a modal dialog over the page.
void report(std::u16string_view title, std::u16string_view text);

} // namespace pemtos::web::dom
