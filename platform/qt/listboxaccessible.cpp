// SPDX-License-Identifier: MIT
#include "listboxaccessible.h"

#include "listrowaccessible.h"
#include "qt/listbox.h"

namespace pemtos::qt {

ListBoxAccessible::ListBoxAccessible(ListBox *list) : QAccessibleWidget(list, QAccessible::List), m_list(list) {}

ListBoxAccessible::~ListBoxAccessible()
{
    forgetRows();
}

void ListBoxAccessible::forgetRows()
{
    for (const QAccessible::Id id : std::as_const(m_rows))
        QAccessible::deleteAccessibleInterface(id);
    m_rows.clear();
}

void *ListBoxAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

int ListBoxAccessible::childCount() const
{
    return m_list->count();
}

QAccessibleInterface *ListBoxAccessible::child(int index) const
{
    if (index < 0 || index >= m_list->count())
        return nullptr;
    if (const auto found = m_rows.constFind(index); found != m_rows.cend())
        return QAccessible::accessibleInterface(*found);
    auto *row = new ListRowAccessible(m_list, index);
    m_rows.insert(index, QAccessible::registerAccessibleInterface(row));
    return row;
}

int ListBoxAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    for (auto row = m_rows.cbegin(); row != m_rows.cend(); ++row) {
        if (QAccessible::accessibleInterface(row.value()) == child)
            return row.key();
    }
    return -1;
}

QAccessibleInterface *ListBoxAccessible::childAt(int x, int y) const
{
    const QPoint position = m_list->mapFromGlobal(QPoint(x, y));
    for (int row = 0; row < m_list->count(); ++row) {
        if (m_list->rowRect(row).intersected(m_list->rowArea()).contains(position))
            return child(row);
    }
    return nullptr;
}

QAccessibleInterface *ListBoxAccessible::focusChild() const
{
    return m_list->hasFocus() ? child(m_list->currentRow()) : nullptr;
}

QAccessibleInterface *ListBoxAccessible::caption() const
{
    return nullptr;
}

QAccessibleInterface *ListBoxAccessible::summary() const
{
    return nullptr;
}

QAccessibleInterface *ListBoxAccessible::cellAt(int row, int column) const
{
    return column == 0 ? child(row) : nullptr;
}

int ListBoxAccessible::selectedCellCount() const
{
    return selectedRowCount();
}

QList<QAccessibleInterface *> ListBoxAccessible::selectedCells() const
{
    QList<QAccessibleInterface *> cells;
    if (QAccessibleInterface *selected = child(m_list->selectedRow()))
        cells.append(selected);
    return cells;
}

QString ListBoxAccessible::columnDescription(int /*column*/) const
{
    return {};
}

QString ListBoxAccessible::rowDescription(int /*row*/) const
{
    return {};
}

int ListBoxAccessible::selectedColumnCount() const
{
    return 0;
}

int ListBoxAccessible::selectedRowCount() const
{
    return m_list->selectedRow() >= 0 ? 1 : 0;
}

int ListBoxAccessible::columnCount() const
{
    return 1;
}

int ListBoxAccessible::rowCount() const
{
    return m_list->count();
}

QList<int> ListBoxAccessible::selectedColumns() const
{
    return {};
}

QList<int> ListBoxAccessible::selectedRows() const
{
    if (m_list->selectedRow() < 0)
        return {};
    return {m_list->selectedRow()};
}

bool ListBoxAccessible::isColumnSelected(int /*column*/) const
{
    return false;
}

bool ListBoxAccessible::isRowSelected(int row) const
{
    return row >= 0 && row == m_list->selectedRow();
}

bool ListBoxAccessible::selectRow(int row)
{
    if (row < 0 || row >= m_list->count())
        return false;
    m_list->selectRow(row);
    return true;
}

bool ListBoxAccessible::selectColumn(int /*column*/)
{
    return false;
}

bool ListBoxAccessible::unselectRow(int row)
{
    if (!isRowSelected(row))
        return false;
    m_list->selectRow(-1);
    return true;
}

bool ListBoxAccessible::unselectColumn(int /*column*/)
{
    return false;
}

void ListBoxAccessible::modelChange(QAccessibleTableModelChangeEvent * /*event*/)
{
    forgetRows();
}

} // namespace pemtos::qt
