// SPDX-License-Identifier: MIT
#pragma once

#include "qt/qtcontrols.h"
#include "qt/windowlesscontrols.h"
#include "window/layout.h"

#include <QPushButton>
#include <QWidget>

#include <string_view>
#include <vector>

namespace pemtos::qt {

class Announcer;
class OptionKeys;

/// The program's one window, built from the window's layout table: each control
/// becomes a widget named after it, placed, coloured and stacked as designed, and
/// the two command buttons run their click handlers.
class QtForm final : public QWidget {
    Q_OBJECT

public:
    explicit QtForm(QWidget *parent = nullptr);
    ~QtForm() override;
    QtForm(const QtForm &) = delete;
    QtForm &operator=(const QtForm &) = delete;
    QtForm(QtForm &&) = delete;
    QtForm &operator=(QtForm &&) = delete;

    /// The control operations the click handlers use on this window.
    QtControls &controls() { return m_controls; }
    /// The widget of the control named `name`, or nullptr.
    QWidget *control(std::u16string_view name) const { return m_controls.find(name); }
    /// Whether the window's design gives `widget` colours of its own, which it shows
    /// though it may leave its container to paint a background of the same colour.
    [[nodiscard]] bool givesColours(const QWidget &widget) const;
    /// The control named `name` that its container draws, or nullptr.
    const WindowlessControls::Control *drawnControl(std::u16string_view name) const;
    /// What screen readers were last told a command showed; empty before any command.
    [[nodiscard]] QString announced() const;

protected:
    /// Enter and Return that no control took press the default command button.
    void keyPressEvent(QKeyEvent *event) override;

private:
    static QWidget *createControl(const window::LayoutEntry &entry, QWidget *container);
    /// Has `container` draw `entry`, a label or image with no widget of its own.
    static void drawOnContainer(const window::LayoutEntry &entry, QWidget &container);
    void applyColours(QWidget *widget, const window::LayoutEntry &entry);
    void connectClick(QWidget *widget, window::ClickHandler handler);
    /// Tells screen readers what the command that ran `handler` now shows.
    void announceResultOf(window::ClickHandler handler);
    void chainTabOrder();
    /// Lets the arrow keys walk the option buttons in the window's order.
    void watchOptionKeys();
    /// The window's command buttons, in the order of the layout table.
    [[nodiscard]] std::vector<QPushButton *> commandButtons() const;
    /// The focused command button takes Enter and is drawn as the default one;
    /// otherwise the designed default button is.
    void followFocusWithDefault(QWidget *focused);

    QtControls m_controls;
    Announcer *m_announcer; ///< a child of the window
    QMetaObject::Connection m_focusFollower;
    OptionKeys *m_optionKeys = nullptr;      ///< a child of the window
    std::vector<const QWidget *> m_coloured; ///< the widgets the design gives colours
};

} // namespace pemtos::qt
