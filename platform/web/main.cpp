// SPDX-License-Identifier: MIT
// The page's entry points: main() builds the window's elements once the module is
// loaded; the page calls back into the module for clicks.
#include "web/webform.h"

#include <emscripten/emscripten.h>

#include <cstdint>
#include <string>

namespace {

/// The page's one form, built on first use; it lives as long as the tab.
pemtos::web::WebForm &form()
{
    static pemtos::web::WebForm page;
    return page;
}

/// What the last control operation run for the browser tests gave back, read by them
/// from the module's memory as five 32-bit words.
struct OperationResult {
    std::int32_t failed = 0;        ///< 1 when it failed; `operation` and the text then name the failure
    std::int32_t operation = 0;     ///< the failed operation, as window::Operation
    std::int32_t number = 0;        ///< the row index read, or 1 / 0 for a selected / unselected option
    std::int32_t textLength = 0;    ///< code units at `text`
    const char16_t *text = nullptr; ///< the row's text read, or the failed control's name
};

/// One control operation run for the browser tests: its texts in, what it gave back out.
struct OperationCall {
    std::u16string texts; ///< the control's name followed by the text to set or add
    std::u16string resultText;
    OperationResult result;

    template <typename T> bool failed(const pemtos::window::Outcome<T> &outcome)
    {
        if (outcome)
            return false;
        result.failed = 1;
        result.operation = static_cast<std::int32_t>(outcome.error().operation);
        resultText = outcome.error().control;
        return true;
    }
};

OperationCall &operationCall()
{
    static OperationCall call;
    return call;
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

/// The labels and the list as the window opens with them.
EMSCRIPTEN_KEEPALIVE void pemtos_reset()
{
    pemtos::web::WebForm::reset();
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

/// Room for `units` code units of texts for pemtos_control_operation.
EMSCRIPTEN_KEEPALIVE char16_t *pemtos_operation_texts(int units)
{
    std::u16string &texts = operationCall().texts;
    texts.assign(static_cast<std::size_t>(units), u'\0');
    return texts.data();
}

/// Runs one control operation, `operation` as window::Operation, on the page's
/// controls as the click handlers would: on the control named by the first
/// `nameLength` code units of the texts, with the `textLength` units after them as
/// the text to set or add and `index` as the row to read. The browser tests reach
/// the controls through this as the desktop tests call them in process.
EMSCRIPTEN_KEEPALIVE const OperationResult *pemtos_control_operation(int operation, int nameLength, int textLength,
                                                                     int index)
{
    using pemtos::window::Operation;
    pemtos::window::Controls &controls = form().controls();
    OperationCall &call = operationCall();
    const std::u16string_view texts(call.texts);
    const std::u16string_view name = texts.substr(0, static_cast<std::size_t>(nameLength));
    const std::u16string_view text = texts.substr(name.size(), static_cast<std::size_t>(textLength));
    call.result = {};
    call.resultText.clear();
    switch (static_cast<Operation>(operation)) {
    case Operation::CaptionSet:
        (void)call.failed(controls.setCaption(name, text));
        break;
    case Operation::Clear:
        (void)call.failed(controls.clear(name));
        break;
    case Operation::AddItem:
        (void)call.failed(controls.addItem(name, text));
        break;
    case Operation::ListIndexGet:
        if (const auto read = controls.listIndex(name); !call.failed(read))
            call.result.number = read.value();
        break;
    case Operation::ListGet:
        if (const auto read = controls.list(name, static_cast<std::int16_t>(index)); !call.failed(read))
            call.resultText = read.value();
        break;
    case Operation::ValueGet:
        if (const auto read = controls.value(name); !call.failed(read))
            call.result.number = read.value() ? 1 : 0;
        break;
    }
    call.result.textLength = static_cast<std::int32_t>(call.resultText.size());
    call.result.text = call.resultText.data();
    return &call.result;
}

} // extern "C"
// NOLINTEND(readability-identifier-naming)

int main()
{
    form();
    return 0;
}
