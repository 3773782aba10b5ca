// SPDX-License-Identifier: MIT
#pragma once

#include "widgetpartaccessible.h"

namespace pemtos::qt {

class ListBox;

/// One row of a ListBox for screen readers: a list item named by its text, which is
/// selected through its table cell or its toggle action.
class ListRowAccessible final : public WidgetPartAccessible,
                                public QAccessibleTableCellInterface,
                                public QAccessibleActionInterface {
public:
    ListRowAccessible(ListBox *list, int row);

    bool isValid() const override;
    QString text(QAccessible::Text type) const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    bool isSelected() const override;
    QList<QAccessibleInterface *> columnHeaderCells() const override;
    QList<QAccessibleInterface *> rowHeaderCells() const override;
    int columnIndex() const override;
    int rowIndex() const override;
    int columnExtent() const override;
    int rowExtent() const override;
    QAccessibleInterface *table() const override;

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

protected:
    QRect partRect() const override;

private:
    /// The list, or nullptr once it is gone.
    [[nodiscard]] ListBox *list() const;

    int m_row;
};

} // namespace pemtos::qt
