// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

namespace pemtos::win32 {

/// A handle or pointer carried as an integer in a message parameter or a window's
/// data: the Win32 API passes them so, and this is where they become pointers again.
template <typename Pointer, typename Integer> Pointer fromInteger(Integer value)
{
    return reinterpret_cast<Pointer>(value); // NOLINT(performance-no-int-to-ptr)
}

} // namespace pemtos::win32
