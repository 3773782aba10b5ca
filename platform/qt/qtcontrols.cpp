// SPDX-License-Identifier: MIT
#include "qt/qtcontrols.h"

#include "qt/conversions.h"
#include "qt/fonts.h"
#include "window/layout.h"

#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QRadioButton>

#include <limits>

namespace pemtos::qt {
namespace {

/// The font the control `name` is designed with; nullptr for the default font.
const window::FontEntry *designedFont(std::u16string_view name)
{
    const window::LayoutEntry *entry = window::findControl(name);
    return entry != nullptr ? entry->font : nullptr;
}

window::ControlError failure(window::Operation operation, std::u16string_view control)
{
    return window::ControlError{operation, std::u16string(control)};
}

} // namespace

QtControls::QtControls(QWidget *window) : m_window(window) {}

void QtControls::add(QWidget *widget)
{
    m_widgets.insert(widget->objectName(), widget);
}

QWidget *QtControls::find(std::u16string_view name) const
{
    return m_widgets.value(toQString(name)).data();
}

void QtControls::setReporter(Reporter reporter)
{
    m_reporter = std::move(reporter);
}

void QtControls::failOperation(int n)
{
    m_failCountdown = n;
}

template <typename Widget> Widget *QtControls::widgetFor(std::u16string_view name)
{
    if (m_failCountdown > 0 && --m_failCountdown == 0)
        return nullptr;
    return qobject_cast<Widget *>(find(name));
}

window::Status QtControls::setCaption(std::u16string_view label, std::u16string_view text)
{
    auto *widget = widgetFor<QLabel>(label);
    if (widget == nullptr)
        return failure(window::Operation::CaptionSet, label);
    const QString caption = toQString(text);
    widget->setFont(fontFor(designedFont(label), caption));
    widget->setText(caption);
    return window::Done{};
}

window::Status QtControls::clear(std::u16string_view list)
{
    auto *widget = widgetFor<QListWidget>(list);
    if (widget == nullptr)
        return failure(window::Operation::Clear, list);
    widget->clear();
    // The rows that follow a clearing are a new list, and the user who asked for them
    // expects to see its first rows, wherever the old one was scrolled to (Qt's list
    // would keep the old offset).
    widget->scrollToTop();
    return window::Done{};
}

window::Status QtControls::addItem(std::u16string_view list, std::u16string_view text)
{
    auto *widget = widgetFor<QListWidget>(list);
    // The index of a row must stay readable as a 16-bit index.
    if (widget == nullptr || widget->count() >= std::numeric_limits<std::int16_t>::max())
        return failure(window::Operation::AddItem, list);
    const QString row = toQString(text);
    // A row the list's face lacks a glyph of gives the list its face's whole chain.
    if (const QFont font = fontFor(designedFont(list), row); font.families().size() > widget->font().families().size())
        widget->setFont(font);
    widget->addItem(row);
    return window::Done{};
}

window::Outcome<std::int16_t> QtControls::listIndex(std::u16string_view list)
{
    auto *widget = widgetFor<QListWidget>(list);
    if (widget == nullptr)
        return failure(window::Operation::ListIndexGet, list);
    // The selected row, not the current one: a list that merely has the focus
    // has a current row but nothing selected.
    const QList<QListWidgetItem *> selected = widget->selectedItems();
    if (selected.isEmpty())
        return std::int16_t{-1};
    return static_cast<std::int16_t>(widget->row(selected.first()));
}

window::Outcome<std::u16string> QtControls::list(std::u16string_view list, std::int16_t index)
{
    auto *widget = widgetFor<QListWidget>(list);
    if (widget == nullptr || index < 0 || index >= widget->count())
        return failure(window::Operation::ListGet, list);
    return widget->item(index)->text().toStdU16String();
}

window::Outcome<bool> QtControls::value(std::u16string_view option)
{
    auto *widget = widgetFor<QRadioButton>(option);
    if (widget == nullptr)
        return failure(window::Operation::ValueGet, option);
    return widget->isChecked();
}

void QtControls::reportError(const window::ControlError &error)
{
    ++m_errorsReported;
    if (m_reporter) {
        m_reporter(error);
        return;
    }
    QMessageBox::critical(m_window, toQString(window::errorReportTitle()), toQString(window::errorReportText(error)));
}

} // namespace pemtos::qt
