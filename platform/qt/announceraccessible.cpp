// SPDX-License-Identifier: MIT
#include "announceraccessible.h"

#include "announcer.h"

#include <QWidget>

namespace pemtos::qt {

AnnouncerAccessible::AnnouncerAccessible(const Announcer *announcer, Part part) : m_announcer(announcer), m_part(part)
{
}

bool AnnouncerAccessible::isValid() const
{
    return m_announcer != nullptr;
}

QObject *AnnouncerAccessible::object() const
{
    return nullptr;
}

QWindow *AnnouncerAccessible::window() const
{
    return m_announcer != nullptr ? m_announcer->window()->windowHandle() : nullptr;
}

QAccessibleInterface *AnnouncerAccessible::parent() const
{
    if (m_announcer == nullptr)
        return nullptr;
    return isStatusBar() ? QAccessible::queryAccessibleInterface(m_announcer->window()) : m_announcer->statusBar();
}

QAccessibleInterface *AnnouncerAccessible::child(int index) const
{
    return isStatusBar() && index == 0 && m_announcer != nullptr ? m_announcer->notification() : nullptr;
}

int AnnouncerAccessible::childCount() const
{
    return isStatusBar() && m_announcer != nullptr ? 1 : 0;
}

int AnnouncerAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    return isStatusBar() && m_announcer != nullptr && m_announcer->isNotification(child) ? 0 : -1;
}

QAccessibleInterface *AnnouncerAccessible::childAt(int /*x*/, int /*y*/) const
{
    return nullptr;
}

QString AnnouncerAccessible::text(QAccessible::Text type) const
{
    // The status bar is unnamed: its notification says it all.
    if (isStatusBar() || type != QAccessible::Name || m_announcer == nullptr)
        return {};
    return m_announcer->text();
}

void AnnouncerAccessible::setText(QAccessible::Text /*type*/, const QString & /*text*/) {}

QRect AnnouncerAccessible::rect() const
{
    return {};
}

QAccessible::Role AnnouncerAccessible::role() const
{
    return isStatusBar() ? QAccessible::StatusBar : QAccessible::Notification;
}

QAccessible::State AnnouncerAccessible::state() const
{
    QAccessible::State state;
    state.invalid = !isValid();
    return state;
}

} // namespace pemtos::qt
