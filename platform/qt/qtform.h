// SPDX-License-Identifier: MIT
#pragma once

#include "platform/qt/qtcontrols.h"
#include "window/layout.h"

#include <QWidget>

#include <string_view>

namespace pemtos::qt {

/// The program's one window, built from the window's layout table: each control
/// becomes a widget named after it, placed, coloured and stacked as designed, and
/// the two command buttons run their click handlers.
class QtForm final : public QWidget {
    Q_OBJECT

public:
    explicit QtForm(QWidget *parent = nullptr);

    /// The control operations the click handlers use on this window.
    QtControls &controls() { return m_controls; }
    /// The widget of the control named `name`, or nullptr.
    QWidget *control(std::u16string_view name) const { return m_controls.find(name); }

private:
    QWidget *createControl(const window::ControlSpec &spec, QWidget *container);
    void applyColours(QWidget *widget, const window::ControlSpec &spec);
    void describeForScreenReaders(QWidget *widget, const window::ControlSpec &spec);
    void connectClick(QWidget *widget, window::ClickHandler handler);
    void chainTabOrder();

    QtControls m_controls;
};

} // namespace pemtos::qt
