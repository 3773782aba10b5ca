// SPDX-License-Identifier: MIT
#include "listrowaccessible.h"

#include "qt/listbox.h"

#include <QWidget>

namespace pemtos::qt {

ListRowAccessible::ListRowAccessible(ListBox *list, int row) : m_list(list), m_row(row) {}

bool ListRowAccessible::isValid() const
{
    return m_list != nullptr && m_row >= 0 && m_row < m_list->count();
}

QObject *ListRowAccessible::object() const
{
    return nullptr;
}

QWindow *ListRowAccessible::window() const
{
    return m_list != nullptr ? m_list->window()->windowHandle() : nullptr;
}

QAccessibleInterface *ListRowAccessible::childAt(int /*x*/, int /*y*/) const
{
    return nullptr;
}

QAccessibleInterface *ListRowAccessible::parent() const
{
    return QAccessible::queryAccessibleInterface(m_list);
}

QAccessibleInterface *ListRowAccessible::child(int /*index*/) const
{
    return nullptr;
}

int ListRowAccessible::childCount() const
{
    return 0;
}

int ListRowAccessible::indexOfChild(const QAccessibleInterface * /*child*/) const
{
    return -1;
}

QString ListRowAccessible::text(QAccessible::Text type) const
{
    return type == QAccessible::Name && isValid() ? m_list->item(m_row) : QString();
}

void ListRowAccessible::setText(QAccessible::Text /*type*/, const QString & /*text*/) {}

QRect ListRowAccessible::rect() const
{
    if (!isValid())
        return {};
    const QRect row = m_list->rowRect(m_row);
    return {m_list->mapToGlobal(row.topLeft()), row.size()};
}

QAccessible::Role ListRowAccessible::role() const
{
    return QAccessible::ListItem;
}

QAccessible::State ListRowAccessible::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.selectable = true;
    state.focusable = true;
    state.selected = isSelected();
    state.focused = m_list->hasFocus() && m_list->currentRow() == m_row;
    state.active = state.focused;
    // A row scrolled out of the list is there but not shown.
    state.invisible = !m_list->rowRect(m_row).intersects(m_list->rowArea());
    return state;
}

void *ListRowAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface *>(this);
    if (type == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface *>(this);
    return nullptr;
}

bool ListRowAccessible::isSelected() const
{
    return isValid() && m_list->selectedRow() == m_row;
}

QList<QAccessibleInterface *> ListRowAccessible::columnHeaderCells() const
{
    return {};
}

QList<QAccessibleInterface *> ListRowAccessible::rowHeaderCells() const
{
    return {};
}

int ListRowAccessible::columnIndex() const
{
    return 0;
}

int ListRowAccessible::rowIndex() const
{
    return m_row;
}

int ListRowAccessible::columnExtent() const
{
    return 1;
}

int ListRowAccessible::rowExtent() const
{
    return 1;
}

QAccessibleInterface *ListRowAccessible::table() const
{
    return parent();
}

QStringList ListRowAccessible::actionNames() const
{
    return {toggleAction()};
}

void ListRowAccessible::doAction(const QString &actionName)
{
    if (actionName != toggleAction() || !isValid())
        return;
    m_list->selectRow(isSelected() ? -1 : m_row);
}

QStringList ListRowAccessible::keyBindingsForAction(const QString & /*actionName*/) const
{
    return {};
}

} // namespace pemtos::qt
