// SPDX-License-Identifier: MIT
#include "announcer.h"

#include "announceraccessible.h"

namespace pemtos::qt {

Announcer::Announcer(QWidget &window) : QObject(&window), m_window(&window) {}

Announcer::~Announcer()
{
    for (const QAccessible::Id id : {m_notification, m_statusBar}) {
        if (id != 0)
            QAccessible::deleteAccessibleInterface(id);
    }
}

Announcer *Announcer::find(const QWidget &window)
{
    return window.findChild<Announcer *>(QString(), Qt::FindDirectChildrenOnly);
}

QWidget *Announcer::window() const
{
    return m_window;
}

QAccessibleInterface *Announcer::statusBar() const
{
    if (m_statusBar != 0)
        return QAccessible::accessibleInterface(m_statusBar);
    auto *bar = new AnnouncerAccessible(this, AnnouncerAccessible::Part::StatusBar);
    m_statusBar = QAccessible::registerAccessibleInterface(bar);
    return bar;
}

QAccessibleInterface *Announcer::notification() const
{
    if (m_notification != 0)
        return QAccessible::accessibleInterface(m_notification);
    auto *shown = new AnnouncerAccessible(this, AnnouncerAccessible::Part::Notification);
    m_notification = QAccessible::registerAccessibleInterface(shown);
    return shown;
}

bool Announcer::isNotification(const QAccessibleInterface *candidate) const
{
    return m_notification != 0 && candidate == QAccessible::accessibleInterface(m_notification);
}

void Announcer::announce(const QString &text)
{
    m_text = text;
    if (!QAccessible::isActive())
        return;
    // The new name first, so that a screen reader that keeps names hears the new one
    // when the notification appears; it appears again even when the text is the same,
    // as the command ran again.
    QAccessibleInterface *shown = notification();
    for (const QAccessible::Event change :
         {QAccessible::ObjectHide, QAccessible::NameChanged, QAccessible::ObjectShow}) {
        QAccessibleEvent event(shown, change);
        QAccessible::updateAccessibility(&event);
    }
}

} // namespace pemtos::qt
