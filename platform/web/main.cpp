// SPDX-License-Identifier: MIT
// The page's entry points: main() builds the window's elements once the module is
// loaded; the page calls back into the module for clicks.
#include "web/webform.h"

#include <emscripten/emscripten.h>

namespace {

/// The page's one form, built on first use; it lives as long as the tab.
pemtos::web::WebForm &form()
{
    static pemtos::web::WebForm page;
    return page;
}

} // namespace

// Named as the page's JavaScript calls them.
// NOLINTBEGIN(readability-identifier-naming)
extern "C" {

/// A click on the control of layout entry `entry`.
EMSCRIPTEN_KEEPALIVE void pemtos_click(int entry)
{
    form().click(entry);
}

/// The control that Tab moves the focus to from layout entry `entry` (backwards: Shift+Tab).
EMSCRIPTEN_KEEPALIVE int pemtos_next_tab_stop(int entry, int backwards)
{
    return pemtos::web::WebForm::nextTabStop(entry, backwards != 0);
}

/// The option button an arrow key moves to from the one of layout entry `entry`, or -1.
EMSCRIPTEN_KEEPALIVE int pemtos_next_option(int entry, int backwards)
{
    return pemtos::web::WebForm::nextOption(entry, backwards != 0);
}

/// The command button that Enter presses while layout entry `entry` has the focus.
EMSCRIPTEN_KEEPALIVE int pemtos_button_for_enter(int entry)
{
    return pemtos::web::WebForm::buttonForEnter(entry);
}

/// Makes the `n`-th control operation from now fail, so that the browser tests
/// can see the error report and the page working on after it.
EMSCRIPTEN_KEEPALIVE void pemtos_fail_operation(int n)
{
    form().controls().failOperation(n);
}

} // extern "C"
// NOLINTEND(readability-identifier-naming)

int main()
{
    form();
    return 0;
}
