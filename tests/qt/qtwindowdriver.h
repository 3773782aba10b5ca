// SPDX-License-Identifier: MIT
#pragma once

#include "qt/qtform.h"
#include "windowdriver.h"

#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <memory>

namespace pemtos::qt {

/// The Qt window, driven with Qt's test events as a user would: mouse clicks and
/// key presses on the widgets, real message boxes for the error report.
class QtWindowDriver final : public behaviour::WindowDriver {
public:
    /// Opens a new window and waits until it is active.
    QtWindowDriver();
    ~QtWindowDriver() override;
    QtWindowDriver(const QtWindowDriver &) = delete;
    QtWindowDriver &operator=(const QtWindowDriver &) = delete;
    QtWindowDriver(QtWindowDriver &&) = delete;
    QtWindowDriver &operator=(QtWindowDriver &&) = delete;

    [[nodiscard]] QtForm &form() { return *m_form; }
    /// The widget of `control`, failing the test when there is none.
    [[nodiscard]] QWidget *widget(std::u16string_view control) const;

    /// The icon and the parent of the last error report shown.
    [[nodiscard]] QMessageBox::Icon lastReportIcon() const { return m_lastIcon; }
    [[nodiscard]] const QWidget *lastReportParent() const { return m_lastParent; }

    void click(std::u16string_view control) override;
    std::u16string caption(std::u16string_view label) override;
    std::vector<std::u16string> rows() override;
    int selectedRow() override;
    void selectRow(int row) override;
    std::vector<std::u16string> checkedOptions() override;
    std::u16string focused() override;
    void focus(std::u16string_view control) override;
    void press(behaviour::Key key) override;
    std::u16string defaultLookingButton() override;
    std::u16string controlAt(std::u16string_view control, int x, int y) override;
    void failOperation(int n) override;
    std::vector<std::u16string> takeErrorReports() override;
    window::Controls &controls() override { return m_form->controls(); }
    std::vector<behaviour::BuiltControl> builtControls() override;

private:
    /// Presses the button of a message box that has just opened, remembering what it said.
    void dismissReport();
    [[nodiscard]] behaviour::BuiltControl describe(QWidget *widget) const;
    /// A control its container draws.
    [[nodiscard]] behaviour::BuiltControl describe(const WindowlessControls::Control &control) const;
    /// `container` and, depth first, the controls in it, from the bottom of the stack up.
    void describeTree(QWidget *container, std::vector<behaviour::BuiltControl> &built) const;
    /// Whether `widget` is one of the window's controls (not a part of one).
    [[nodiscard]] bool isControl(const QWidget *widget) const;
    /// The design name of the control `widget` is, or is a part of.
    [[nodiscard]] std::u16string nameOf(const QWidget *widget) const;

    std::unique_ptr<QtForm> m_form;
    QWidget *m_firstFocus = nullptr;
    QTimer m_reportWatch;
    QPointer<QMessageBox> m_lastBox;
    std::vector<std::u16string> m_reports;
    QMessageBox::Icon m_lastIcon = QMessageBox::NoIcon;
    const QWidget *m_lastParent = nullptr;
};

} // namespace pemtos::qt
