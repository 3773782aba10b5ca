// SPDX-License-Identifier: MIT
#include "listentryfocus.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QEvent>

namespace pemtos::qt {

ListEntryFocus::ListEntryFocus(QListWidget &list) : QObject(&list), m_list(&list)
{
    list.installEventFilter(this);
}

bool ListEntryFocus::eventFilter(QObject *watched, QEvent *event)
{
    // Posted: the list handles the focus first, which may make its first row current.
    if (event->type() == QEvent::FocusIn)
        QCoreApplication::postEvent(this, new QEvent(QEvent::User));
    return QObject::eventFilter(watched, event);
}

bool ListEntryFocus::event(QEvent *event)
{
    if (event->type() != QEvent::User)
        return QObject::event(event);
    tellCurrentRow();
    return true;
}

void ListEntryFocus::tellCurrentRow()
{
    const int row = m_list->currentRow();
    if (!QAccessible::isActive() || !m_list->hasFocus() || row < 0)
        return;
    QAccessibleEvent focused(m_list, QAccessible::Focus);
    focused.setChild(row);
    QAccessible::updateAccessibility(&focused);
}

} // namespace pemtos::qt
