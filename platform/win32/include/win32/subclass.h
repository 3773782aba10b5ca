// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

namespace pemtos::win32 {

/// A procedure put in front of a control's own, with one value of its caller's.
using SubclassProc = LRESULT (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LONG_PTR data);

/// Puts `procedure` in front of `window`'s own procedure, handing it `data` with
/// every message; calling it again for the same window only replaces `data`.
/// What comctl32's SetWindowSubclass does for one procedure, without loading
/// comctl32 for it: the state is kept in the window's GWLP_USERDATA, which the
/// standard control classes leave to the program, and freed with the window.
bool setSubclass(HWND window, SubclassProc procedure, LONG_PTR data);

/// Hands a message to `window`'s own procedure, from inside its SubclassProc.
LRESULT callOwnProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace pemtos::win32
