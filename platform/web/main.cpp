// SPDX-License-Identifier: MIT
// The page's entry points: main() builds the window's elements once the module is
// loaded; the page calls back into the module for clicks.
#include "web/webform.h"

#include <emscripten/emscripten.h>

namespace {

pemtos::web::WebForm *form = nullptr;

} // namespace

extern "C" {

/// A click on the control of layout entry `entry`.
EMSCRIPTEN_KEEPALIVE void pemtos_click(int entry)
{
    if (form != nullptr)
        form->click(entry);
}

/// Makes the `n`-th control operation from now fail, so that the browser tests
/// can see the error report and the page working on after it.
EMSCRIPTEN_KEEPALIVE void pemtos_fail_operation(int n)
{
    if (form != nullptr)
        form->controls().failOperation(n);
}

} // extern "C"

int main()
{
    // The page lives as long as its tab: the form is never destroyed.
    static pemtos::web::WebForm page;
    form = &page;
    return 0;
}
