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

WindowlessAccessible::WindowlessAccessible(QWidget *container, int index)
    : WidgetPartAccessible(container), m_index(index)
{
}

bool WindowlessAccessible::isValid() const
{
    return drawnControl(owner(), m_index) != nullptr;
}

QString WindowlessAccessible::text(QAccessible::Text type) const
{
    const WindowlessControls::Control *control = drawnControl(owner(), m_index);
    if (control == nullptr || type != QAccessible::Name)
        return {};
    return control->accessibleName.isEmpty() ? control->caption : control->accessibleName;
}

QRect WindowlessAccessible::partRect() const
{
    return drawnControl(owner(), m_index)->rect;
}

QAccessible::Role WindowlessAccessible::role() const
{
    const WindowlessControls::Control *control = drawnControl(owner(), m_index);
    return control != nullptr && control->isImage ? QAccessible::Client : QAccessible::StaticText;
}

QAccessible::State WindowlessAccessible::state() const
{
    QAccessible::State state;
    state.invalid = !isValid();
    return state;
}

} // namespace pemtos::qt
