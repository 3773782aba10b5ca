// SPDX-License-Identifier: MIT
#pragma once

namespace pemtos::qt {

/// Lets Qt make the window's own screen-reader interfaces: picture boxes as graphics,
/// the options as one group of fourteen, and the window and its frames with the
/// controls they draw among their children. Each of those classes calls it as it is
/// made, before anything asks for its interface; it installs once.
void installAccessibility();

} // namespace pemtos::qt
