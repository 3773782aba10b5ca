// SPDX-License-Identifier: MIT
#include "widgetpartaccessible.h"

namespace pemtos::qt {

QObject *WidgetPartAccessible::object() const
{
    return nullptr;
}

QWindow *WidgetPartAccessible::window() const
{
    return m_owner != nullptr ? m_owner->window()->windowHandle() : nullptr;
}

QAccessibleInterface *WidgetPartAccessible::childAt(int /*x*/, int /*y*/) const
{
    return nullptr;
}

QAccessibleInterface *WidgetPartAccessible::parent() const
{
    return QAccessible::queryAccessibleInterface(m_owner);
}

QAccessibleInterface *WidgetPartAccessible::child(int /*index*/) const
{
    return nullptr;
}

int WidgetPartAccessible::childCount() const
{
    return 0;
}

int WidgetPartAccessible::indexOfChild(const QAccessibleInterface * /*child*/) const
{
    return -1;
}

void WidgetPartAccessible::setText(QAccessible::Text /*type*/, const QString & /*text*/) {}

QRect WidgetPartAccessible::rect() const
{
    if (!isValid())
        return {};
    const QRect part = partRect();
    return {m_owner->mapToGlobal(part.topLeft()), part.size()};
}

} // namespace pemtos::qt
