// SPDX-License-Identifier: MIT
#pragma once

#include "web/dom.h"

#include <string>
#include <string_view>

namespace pemtos::web {

/// Where the control `name` goes in the one-column layout, how it is announced,
/// and which card it shares with its option.
dom::Placement placementOf(std::u16string_view name);

/// What the command button `command` does for the page: the output label that shows
/// what it found and the lookup it makes; for any other control, none.
struct CommandResult {
    std::u16string_view label;
    dom::Lookup lookup;
};
CommandResult commandResult(std::u16string_view command);

/// The CSS font chain for `face`: the face, the faces that stand in for it on
/// desktops, then those that phones and Macs ship, then the generic family. A
/// stand-in drawn smaller than its own size is first defined on the page under a
/// name of its own.
std::u16string cssFontFamily(std::u16string_view face);

} // namespace pemtos::web
