// SPDX-License-Identifier: MIT
#include "windowlessaccessible.h"

#include "qt/windowlesscontrols.h"

#include <QWidget>

namespace pemtos::qt {
namespace {

const WindowlessControls::Control *drawnControl(const QWidget *container, int index)
{
    const WindowlessControls *drawn = container != nullptr ? WindowlessControls::find(*container) : nullptr;
    if (drawn == nullptr || index < 0 || index >= drawn->controls().size())
        return nullptr;
    return &drawn->controls().at(index);
}

} // namespace

WindowlessAccessible::WindowlessAccessible(QWidget *container, int index) : m_container(container), m_index(index) {}

bool WindowlessAccessible::isValid() const
{
    return drawnControl(m_container, m_index) != nullptr;
}

QObject *WindowlessAccessible::object() const
{
    return nullptr;
}

QWindow *WindowlessAccessible::window() const
{
    return m_container != nullptr ? m_container->window()->windowHandle() : nullptr;
}

QAccessibleInterface *WindowlessAccessible::childAt(int /*x*/, int /*y*/) const
{
    return nullptr;
}

QAccessibleInterface *WindowlessAccessible::parent() const
{
    return QAccessible::queryAccessibleInterface(m_container);
}

QAccessibleInterface *WindowlessAccessible::child(int /*index*/) const
{
    return nullptr;
}

int WindowlessAccessible::childCount() const
{
    return 0;
}

int WindowlessAccessible::indexOfChild(const QAccessibleInterface * /*child*/) const
{
    return -1;
}

QString WindowlessAccessible::text(QAccessible::Text type) const
{
    const WindowlessControls::Control *control = drawnControl(m_container, m_index);
    if (control == nullptr || type != QAccessible::Name)
        return {};
    return control->accessibleName.isEmpty() ? control->caption : control->accessibleName;
}

void WindowlessAccessible::setText(QAccessible::Text /*type*/, const QString & /*text*/) {}

QRect WindowlessAccessible::rect() const
{
    const WindowlessControls::Control *control = drawnControl(m_container, m_index);
    if (control == nullptr)
        return {};
    return {m_container->mapToGlobal(control->rect.topLeft()), control->rect.size()};
}

QAccessible::Role WindowlessAccessible::role() const
{
    const WindowlessControls::Control *control = drawnControl(m_container, m_index);
    return control != nullptr && control->isImage ? QAccessible::Client : QAccessible::StaticText;
}

QAccessible::State WindowlessAccessible::state() const
{
    QAccessible::State state;
    state.invalid = !isValid();
    return state;
}

} // namespace pemtos::qt
