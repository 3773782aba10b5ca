// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pemtos::window {

/// The control operations the click handlers use.
enum class Operation : std::uint8_t {
    CaptionSet,   ///< Label.Caption (set)
    Clear,        ///< ListBox.Clear
    AddItem,      ///< ListBox.AddItem, appending
    ListIndexGet, ///< ListBox.ListIndex (get)
    ListGet,      ///< ListBox.List (get, by index)
    ValueGet,     ///< OptionButton.Value (get)
};

/// The control interface an operation belongs to.
enum class ControlInterface : std::uint8_t { Label, ListBox, OptionButton };

constexpr ControlInterface interfaceOf(Operation operation)
{
    switch (operation) {
    case Operation::CaptionSet:
        return ControlInterface::Label;
    case Operation::ValueGet:
        return ControlInterface::OptionButton;
    case Operation::Clear:
    case Operation::AddItem:
    case Operation::ListIndexGet:
    case Operation::ListGet:
        break;
    }
    return ControlInterface::ListBox;
}

/// A failed control operation: what the run-time error report names.
struct ControlError {
    Operation operation;
    std::u16string control; ///< design name of the control, e.g. "Label2"

    friend bool operator==(const ControlError &, const ControlError &) = default;
};

/// Name of a control interface as the report shows it ("Label", "ListBox", ...).
std::u16string_view interfaceName(ControlInterface controlInterface);

/// Name of an operation as the report shows it, e.g. "Caption の設定".
std::u16string_view operationName(Operation operation);

/// Title of the run-time error report's message box.
std::u16string_view errorReportTitle();

/// Body text of the run-time error report for `error`, in Japanese.
std::u16string errorReportText(const ControlError &error);

} // namespace pemtos::window
