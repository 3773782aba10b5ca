// SPDX-License-Identifier: MIT
#include "win32/subclass.h"

#include "win32/handles.h"

#include <memory>

namespace pemtos::win32 {
namespace {

struct Subclass {
    WNDPROC own;
    SubclassProc procedure;
    LONG_PTR data;
};

Subclass *subclassOf(HWND window)
{
    return fromInteger<Subclass *>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK inFront(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Subclass *subclass = subclassOf(window);
    if (subclass == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    const LRESULT result = subclass->procedure(window, message, wParam, lParam, subclass->data);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclass->own));
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete subclass;
    }
    return result;
}

} // namespace

bool setSubclass(HWND window, SubclassProc procedure, LONG_PTR data)
{
    if (Subclass *subclass = subclassOf(window); subclass != nullptr) {
        subclass->procedure = procedure;
        subclass->data = data;
        return true;
    }
    auto subclass = std::make_unique<Subclass>(Subclass{nullptr, procedure, data});
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(subclass.get()));
    subclass->own = fromInteger<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(inFront)));
    if (subclass->own == nullptr) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return false;
    }
    // The window owns its subclass from here; inFront deletes it with the window
    // (the analyzer loses it in the window's user data).
    static_cast<void>(subclass.release());
    return true; // NOLINT(clang-analyzer-cplusplus.NewDeleteLeaks)
}

LRESULT callOwnProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const Subclass *subclass = subclassOf(window);
    if (subclass == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    return CallWindowProcW(subclass->own, window, message, wParam, lParam);
}

} // namespace pemtos::win32
