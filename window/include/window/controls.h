// SPDX-License-Identifier: MIT
#pragma once

#include "window/controlerror.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace pemtos::window {

/// The outcome of one control operation: its value, or the failure to report.
template <typename T> class [[nodiscard]] Outcome {
public:
    Outcome(T value) : m_value(std::move(value)) {}            // NOLINT(google-explicit-constructor)
    Outcome(ControlError error) : m_error(std::move(error)) {} // NOLINT(google-explicit-constructor)

    explicit operator bool() const { return m_value.has_value(); }
    const T &value() const { return *m_value; }
    const ControlError &error() const { return *m_error; }

private:
    std::optional<T> m_value;
    std::optional<ControlError> m_error;
};

/// The value of an operation that returns nothing but its success.
struct Done {};
using Status = Outcome<Done>;

/// The operations on the window's controls that the click handlers need.
/// Controls are named by their design names; every operation reports failure
/// instead of throwing. One implementation per platform, chosen at link time.
class Controls {
public:
    Controls() = default;
    virtual ~Controls() = default;
    Controls(const Controls &) = delete;
    Controls &operator=(const Controls &) = delete;
    Controls(Controls &&) = delete;
    Controls &operator=(Controls &&) = delete;

    /// Sets the caption of the label `label`; it shows exactly `text` from then on.
    virtual Status setCaption(std::u16string_view label, std::u16string_view text) = 0;
    /// Removes every row of the list box `list`; no row is selected afterwards.
    virtual Status clear(std::u16string_view list) = 0;
    /// Appends `text` after the last row of the list box `list`.
    virtual Status addItem(std::u16string_view list, std::u16string_view text) = 0;
    /// The zero-based index of the selected row of `list`, -1 when none is selected.
    virtual Outcome<std::int16_t> listIndex(std::u16string_view list) = 0;
    /// The text of row `index` of `list`, exactly as it was added.
    virtual Outcome<std::u16string> list(std::u16string_view list, std::int16_t index) = 0;
    /// Whether the option button `option` is the selected one of its group.
    virtual Outcome<bool> value(std::u16string_view option) = 0;
    /// Shows the run-time error report for `error`; returns once it was dismissed.
    virtual void reportError(const ControlError &error) = 0;
};

/// Passes a failed outcome to the error report. Returns whether the handler may go on.
template <typename T> bool succeeded(Controls &controls, const Outcome<T> &outcome)
{
    if (outcome)
        return true;
    controls.reportError(outcome.error());
    return false;
}

} // namespace pemtos::window
