// SPDX-License-Identifier: MIT
#include "notificationaccessible.h"

#include "announcer.h"

#include <QWidget>

namespace pemtos::qt {

NotificationAccessible::NotificationAccessible(const Announcer *announcer) : m_announcer(announcer) {}

bool NotificationAccessible::isValid() const
{
    return m_announcer != nullptr;
}

QObject *NotificationAccessible::object() const
{
    return nullptr;
}

QWindow *NotificationAccessible::window() const
{
    return m_announcer != nullptr ? m_announcer->window()->windowHandle() : nullptr;
}

QAccessibleInterface *NotificationAccessible::parent() const
{
    return m_announcer != nullptr ? m_announcer->statusBar() : nullptr;
}

QAccessibleInterface *NotificationAccessible::child(int /*index*/) const
{
    return nullptr;
}

int NotificationAccessible::childCount() const
{
    return 0;
}

int NotificationAccessible::indexOfChild(const QAccessibleInterface * /*child*/) const
{
    return -1;
}

QAccessibleInterface *NotificationAccessible::childAt(int /*x*/, int /*y*/) const
{
    return nullptr;
}

QString NotificationAccessible::text(QAccessible::Text type) const
{
    return type == QAccessible::Name && m_announcer != nullptr ? m_announcer->text() : QString();
}

void NotificationAccessible::setText(QAccessible::Text /*type*/, const QString & /*text*/) {}

QRect NotificationAccessible::rect() const
{
    return {};
}

QAccessible::Role NotificationAccessible::role() const
{
    return QAccessible::Notification;
}

QAccessible::State NotificationAccessible::state() const
{
    QAccessible::State state;
    state.invalid = !isValid();
    return state;
}

} // namespace pemtos::qt
