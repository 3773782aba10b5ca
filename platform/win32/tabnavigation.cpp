// SPDX-License-Identifier: MIT
#include "win32/tabnavigation.h"

#include <algorithm>
#include <vector>

namespace pemtos::win32 {
namespace {

using window::ControlClass;
using window::LayoutEntry;

/// The controls with a tab index that `included` accepts, in tab order.
template <typename Predicate> std::vector<const LayoutEntry *> inTabOrder(Predicate included)
{
    std::vector<const LayoutEntry *> stops;
    for (const LayoutEntry &entry : window::layout()) {
        if (entry.tabIndex >= 0 && included(entry))
            stops.push_back(&entry);
    }
    std::sort(stops.begin(), stops.end(),
              [](const LayoutEntry *left, const LayoutEntry *right) { return left->tabIndex < right->tabIndex; });
    return stops;
}

const LayoutEntry *step(const std::vector<const LayoutEntry *> &stops, std::u16string_view current, bool backwards)
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

const std::vector<const LayoutEntry *> &focusStops()
{
    static const std::vector<const LayoutEntry *> stops =
        inTabOrder([](const LayoutEntry &entry) { return takesFocus(entry.controlClass); });
    return stops;
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

const LayoutEntry &nextTabStop(std::u16string_view current, bool backwards)
{
    // The layout always has controls that take the focus.
    return *step(focusStops(), current, backwards);
}

const LayoutEntry &firstTabStop()
{
    return *focusStops().front();
}

const LayoutEntry *nextOption(std::u16string_view current, bool backwards)
{
    const LayoutEntry *entry = window::findControl(current);
    if (entry == nullptr || entry->controlClass != ControlClass::OptionButton)
        return nullptr;
    const auto options = inTabOrder([entry](const LayoutEntry &other) {
        return other.controlClass == ControlClass::OptionButton && other.container == entry->container;
    });
    return step(options, current, backwards);
}

} // namespace pemtos::win32
