// SPDX-License-Identifier: MIT
#pragma once

#include <QListWidget>
#include <QObject>

namespace pemtos::qt {

/// Names the species list's current row to screen readers as the list takes the focus.
/// Qt 6.4 tells them only that the list took it, and its list offers screen readers no
/// way to ask which row is chosen: Orca then says the list and how many rows it holds,
/// but not the row the arrow keys start from, until one of them moves. The current row
/// is the chosen one when a row is chosen, else the first, which Qt makes current as the
/// list takes the focus.
class ListEntryFocus final : public QObject {
public:
    /// Watches `list`, whose child it becomes.
    explicit ListEntryFocus(QListWidget &list);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *event) override;

private:
    void tellCurrentRow();

    QListWidget *m_list;
};

} // namespace pemtos::qt
