// SPDX-License-Identifier: MIT
#include "window/navigation.h"

#include <algorithm>
#include <vector>

namespace pemtos::window {
namespace {

/// The controls with a tab index that `included` accepts, in tab order.
template <typename Predicate> std::vector<const LayoutEntry *> inTabOrder(Predicate included)
{
    std::vector<const LayoutEntry *> stops;
    for (const LayoutEntry &entry : layout()) {
        if (entry.tabIndex >= 0 && included(entry))
            stops.push_back(&entry);
    }
    std::sort(stops.begin(), stops.end(),
              [](const LayoutEntry *left, const LayoutEntry *right) { return left->tabIndex < right->tabIndex; });
    return stops;
}

/// The stop after (or before) the one named `current`, wrapping around; the first
/// (or last) one when `current` is none of them.
const LayoutEntry *step(std::span<const LayoutEntry *const> stops, std::u16string_view current, bool backwards)
{
    if (stops.empty())
        return nullptr;
    const auto found = std::find_if(stops.begin(), stops.end(),
                                    [current](const LayoutEntry *entry) { return entry->name == current; });
    if (found == stops.end())
        return backwards ? stops.back() : stops.front();
    const auto index = static_cast<std::size_t>(found - stops.begin());
    const std::size_t next = backwards ? (index + stops.size() - 1) % stops.size() : (index + 1) % stops.size();
    return stops[next];
}

} // namespace

bool takesFocus(ControlClass controlClass)
{
    switch (controlClass) {
    case ControlClass::CommandButton:
    case ControlClass::ListBox:
    case ControlClass::OptionButton:
    case ControlClass::PictureBox:
        return true;
    case ControlClass::Form:
    case ControlClass::Frame:
    case ControlClass::Label:
    case ControlClass::Image:
        break;
    }
    return false;
}

std::span<const LayoutEntry *const> tabStops()
{
    static const std::vector<const LayoutEntry *> stops =
        inTabOrder([](const LayoutEntry &entry) { return takesFocus(entry.controlClass); });
    return stops;
}

const LayoutEntry &firstTabStop()
{
    // The layout always has controls that take the focus.
    return *tabStops().front();
}

const LayoutEntry &nextTabStop(std::u16string_view current, bool backwards)
{
    return *step(tabStops(), current, backwards);
}

const LayoutEntry *nextOption(std::u16string_view current, bool backwards)
{
    const LayoutEntry *entry = findControl(current);
    if (entry == nullptr || entry->controlClass != ControlClass::OptionButton)
        return nullptr;
    const std::vector<const LayoutEntry *> options = inTabOrder([entry](const LayoutEntry &other) {
        return other.controlClass == ControlClass::OptionButton && other.container == entry->container;
    });
    return step(options, current, backwards);
}

bool startsOptionGroup(const LayoutEntry &entry)
{
    if (entry.controlClass != ControlClass::OptionButton)
        return false;
    for (const LayoutEntry &earlier : layout()) {
        if (&earlier == &entry)
            return true;
        if (earlier.controlClass == ControlClass::OptionButton && earlier.container == entry.container)
            return false;
    }
    // `entry` is no row of the table.
    return false;
}

const LayoutEntry &buttonForEnter(std::u16string_view focused)
{
    const LayoutEntry *entry = findControl(focused);
    if (entry != nullptr && entry->controlClass == ControlClass::CommandButton)
        return *entry;
    // The default button is a row of the table.
    return *findControl(kDefaultButton);
}

} // namespace pemtos::window
