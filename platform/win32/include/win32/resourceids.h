// SPDX-License-Identifier: MIT
// Resource numbers shared by the resource script and the code that loads them; plain
// macros, as the resource compiler reads this file too. The illustrations' bitmap
// numbers are those of window::illustrations(); each double-size drawing is 100 above.
#pragma once

#define PEMTOS_ICON_ID 1                  // NOLINT(cppcoreguidelines-macro-usage)
#define PEMTOS_DOUBLE_SIZE_ART_OFFSET 100 // NOLINT(cppcoreguidelines-macro-usage)
