// SPDX-License-Identifier: MIT
#include "statusbaraccessible.h"

#include "announcer.h"

#include <QWidget>

namespace pemtos::qt {

StatusBarAccessible::StatusBarAccessible(const Announcer *announcer) : m_announcer(announcer) {}

bool StatusBarAccessible::isValid() const
{
    return m_announcer != nullptr;
}

QObject *StatusBarAccessible::object() const
{
    return nullptr;
}

QWindow *StatusBarAccessible::window() const
{
    return m_announcer != nullptr ? m_announcer->window()->windowHandle() : nullptr;
}

QAccessibleInterface *StatusBarAccessible::parent() const
{
    return m_announcer != nullptr ? QAccessible::queryAccessibleInterface(m_announcer->window()) : nullptr;
}

QAccessibleInterface *StatusBarAccessible::child(int index) const
{
    return index == 0 && m_announcer != nullptr ? m_announcer->notification() : nullptr;
}

int StatusBarAccessible::childCount() const
{
    return m_announcer != nullptr ? 1 : 0;
}

int StatusBarAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    return m_announcer != nullptr && m_announcer->isNotification(child) ? 0 : -1;
}

QAccessibleInterface *StatusBarAccessible::childAt(int /*x*/, int /*y*/) const
{
    return nullptr;
}

QString StatusBarAccessible::text(QAccessible::Text /*type*/) const
{
    // Unnamed: its notification says it all.
    return {};
}

void StatusBarAccessible::setText(QAccessible::Text /*type*/, const QString & /*text*/) {}

QRect StatusBarAccessible::rect() const
{
    return {};
}

QAccessible::Role StatusBarAccessible::role() const
{
    return QAccessible::StatusBar;
}

QAccessible::State StatusBarAccessible::state() const
{
    QAccessible::State state;
    state.invalid = !isValid();
    return state;
}

} // namespace pemtos::qt
