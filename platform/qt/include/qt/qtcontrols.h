// SPDX-License-Identifier: MIT
#pragma once

#include "window/controls.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

namespace pemtos::qt {

/// The control operations on a Qt window, reaching widgets by their object names
/// (the design names). An operation fails when the control is missing or is not
/// of the class the operation belongs to.
class QtControls final : public window::Controls {
public:
    using Reporter = std::function<void(const window::ControlError &)>;

    /// Operates on the widgets registered with `add`; reports errors over `window`.
    explicit QtControls(QWidget *window);

    /// Makes `widget` reachable under its object name.
    void add(QWidget *widget);
    /// The widget registered under `name`, or nullptr.
    QWidget *find(std::u16string_view name) const;

    /// Replaces the message box of the run-time error report (for tests).
    void setReporter(Reporter reporter);
    /// Makes the `n`-th operation from now (1 = the next one) fail, to exercise
    /// the error report on the real window.
    void failOperation(int n);
    /// How many failures have been reported so far.
    [[nodiscard]] int errorsReported() const { return m_errorsReported; }

    window::Status setCaption(std::u16string_view label, std::u16string_view text) override;
    window::Status clear(std::u16string_view list) override;
    window::Status addItem(std::u16string_view list, std::u16string_view text) override;
    window::Outcome<std::int16_t> listIndex(std::u16string_view list) override;
    window::Outcome<std::u16string> list(std::u16string_view list, std::int16_t index) override;
    window::Outcome<bool> value(std::u16string_view option) override;
    void reportError(const window::ControlError &error) override;

private:
    template <typename Widget> Widget *widgetFor(std::u16string_view name);

    QWidget *m_window;
    QHash<QString, QPointer<QWidget>> m_widgets;
    Reporter m_reporter;
    int m_failCountdown = 0;
    int m_errorsReported = 0;
};

} // namespace pemtos::qt
