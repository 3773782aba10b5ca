// SPDX-License-Identifier: MIT
#pragma once

#include "window/controls.h"

namespace pemtos::web {

/// The control operations on the page's elements, reached by design name. An
/// operation fails when no control of that name and class is on the page.
class WebControls final : public window::Controls {
public:
    WebControls() = default;

    window::Status setCaption(std::u16string_view label, std::u16string_view text) override;
    window::Status clear(std::u16string_view list) override;
    window::Status addItem(std::u16string_view list, std::u16string_view text) override;
    window::Outcome<std::int16_t> listIndex(std::u16string_view list) override;
    window::Outcome<std::u16string> list(std::u16string_view list, std::int16_t index) override;
    window::Outcome<bool> value(std::u16string_view option) override;
    /// A modal dialog over the page; the handler ends at once, and the page works on once it is closed.
    void reportError(const window::ControlError &error) override;

    /// Makes the `n`-th control operation from now fail, as a missing control would
    /// (1: the next one); 0 stops failing. How the browser tests reach the error report.
    void failOperation(int n);
    /// How many failures have been reported so far.
    int errorsReported() const { return m_errorsReported; }

private:
    /// Whether this operation is the one chosen to fail.
    bool failsNow();

    int m_failCountdown = 0;
    int m_errorsReported = 0;
};

} // namespace pemtos::web
