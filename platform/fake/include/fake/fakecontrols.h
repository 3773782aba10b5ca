// SPDX-License-Identifier: MIT
#pragma once

#include "window/controls.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace pemtos::fake {

/// A stand-in for a window's controls: records every call, keeps the state a
/// real window would show, and can be told to fail one operation. Operations on
/// a name it was not given fail like an operation on a missing control.
class FakeControls final : public window::Controls {
public:
    /// One call as it was made.
    struct Call {
        window::Operation operation;
        std::u16string control;
        std::u16string text; ///< caption set or item added
        std::int16_t index;  ///< index passed to a List read

        friend bool operator==(const Call &, const Call &) = default;
    };

    /// Adds a label showing `caption`.
    void addLabel(std::u16string name, std::u16string caption = {});
    /// Adds a list box holding `rows`, none selected.
    void addList(std::u16string name, std::vector<std::u16string> rows = {});
    /// Adds an option button.
    void addOption(std::u16string name, bool selected = false);

    /// Makes the `n`-th operation from now (1 = the next one) fail.
    void failOperation(std::size_t n);
    /// Selects row `index` of `list` (-1: none), as the user would.
    void select(const std::u16string &list, std::int16_t index);
    /// Selects `option` and clears the others, as the user would.
    void selectOption(const std::u16string &option);

    const std::u16string &caption(const std::u16string &label) const;
    const std::vector<std::u16string> &rows(const std::u16string &list) const;
    std::int16_t selectedIndex(const std::u16string &list) const;
    bool isSelected(const std::u16string &option) const;

    const std::vector<Call> &calls() const { return m_calls; }
    const std::vector<window::ControlError> &reportedErrors() const { return m_reported; }
    void forgetCalls() { m_calls.clear(); }

    window::Status setCaption(std::u16string_view label, std::u16string_view text) override;
    window::Status clear(std::u16string_view list) override;
    window::Status addItem(std::u16string_view list, std::u16string_view text) override;
    window::Outcome<std::int16_t> listIndex(std::u16string_view list) override;
    window::Outcome<std::u16string> list(std::u16string_view list, std::int16_t index) override;
    window::Outcome<bool> value(std::u16string_view option) override;
    void reportError(const window::ControlError &error) override;

private:
    struct ListState {
        std::vector<std::u16string> rows;
        std::int16_t selected = -1;
    };

    /// Records the call; returns whether it is to fail.
    bool record(window::Operation operation, std::u16string_view control, std::u16string_view text = {},
                std::int16_t index = 0);

    std::map<std::u16string, std::u16string, std::less<>> m_labels;
    std::map<std::u16string, ListState, std::less<>> m_lists;
    std::map<std::u16string, bool, std::less<>> m_options;
    std::vector<Call> m_calls;
    std::vector<window::ControlError> m_reported;
    std::optional<std::size_t> m_failAfter;
};

} // namespace pemtos::fake
