// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessibleWidget>
#include <QHash>

namespace pemtos::qt {

class ListBox;

/// What screen readers see of a ListBox: a list whose children are its rows, read
/// and selected through its table, as they see Qt's own list views.
class ListBoxAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit ListBoxAccessible(ListBox *list);
    ~ListBoxAccessible() override;
    ListBoxAccessible(const ListBoxAccessible &) = delete;
    ListBoxAccessible &operator=(const ListBoxAccessible &) = delete;
    ListBoxAccessible(ListBoxAccessible &&) = delete;
    ListBoxAccessible &operator=(ListBoxAccessible &&) = delete;

    void *interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

    QAccessibleInterface *caption() const override;
    QAccessibleInterface *summary() const override;
    QAccessibleInterface *cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface *> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override;
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override;
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int column) override;
    bool unselectRow(int row) override;
    bool unselectColumn(int column) override;
    void modelChange(QAccessibleTableModelChangeEvent *event) override;

private:
    /// Forgets the rows' interfaces, which stand for rows that are gone or moved.
    void forgetRows();

    ListBox *m_list;
    /// The interfaces made so far for the rows, by row.
    mutable QHash<int, QAccessible::Id> m_rows;
};

} // namespace pemtos::qt
