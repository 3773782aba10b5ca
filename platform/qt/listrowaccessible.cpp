// SPDX-License-Identifier: MIT
#include "listrowaccessible.h"

#include "qt/listbox.h"

namespace pemtos::qt {

ListRowAccessible::ListRowAccessible(ListBox *list, int row) : WidgetPartAccessible(list), m_row(row) {}

ListBox *ListRowAccessible::list() const
{
    return qobject_cast<ListBox *>(owner());
}

bool ListRowAccessible::isValid() const
{
    return list() != nullptr && m_row >= 0 && m_row < list()->count();
}

QString ListRowAccessible::text(QAccessible::Text type) const
{
    return type == QAccessible::Name && isValid() ? list()->item(m_row) : QString();
}

QRect ListRowAccessible::partRect() const
{
    return list()->rowRect(m_row);
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
    state.focused = list()->hasFocus() && list()->currentRow() == m_row;
    state.active = state.focused;
    // A row scrolled out of the list is there but not shown.
    state.invisible = !list()->rowRect(m_row).intersects(list()->rowArea());
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
    return isValid() && list()->selectedRow() == m_row;
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
    list()->selectRow(isSelected() ? -1 : m_row);
}

QStringList ListRowAccessible::keyBindingsForAction(const QString & /*actionName*/) const
{
    return {};
}

} // namespace pemtos::qt
