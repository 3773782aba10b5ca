// SPDX-License-Identifier: MIT
#include "optionaccessible.h"

#include "containeraccessible.h"

namespace pemtos::qt {

OptionAccessible::OptionAccessible(QRadioButton *option) : QAccessibleWidget(option, QAccessible::RadioButton) {}

QRadioButton *OptionAccessible::option() const
{
    return qobject_cast<QRadioButton *>(widget());
}

QAccessibleInterface *OptionAccessible::parent() const
{
    QAccessibleInterface *container = QAccessible::queryAccessibleInterface(widget()->parentWidget());
    if (auto *holder = dynamic_cast<ContainerAccessible *>(container))
        return holder->optionGroup();
    return container;
}

QString OptionAccessible::text(QAccessible::Text type) const
{
    // An option is known by its caption.
    if (type == QAccessible::Name && widget()->accessibleName().isEmpty())
        return option()->text();
    return QAccessibleWidget::text(type);
}

QAccessible::State OptionAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = option()->isChecked();
    state.pressed = option()->isDown();
    return state;
}

QStringList OptionAccessible::actionNames() const
{
    QStringList names;
    if (widget()->isEnabled())
        names << toggleAction();
    return names << QAccessibleWidget::actionNames();
}

void OptionAccessible::doAction(const QString &actionName)
{
    if (!widget()->isEnabled())
        return;
    // Toggling selects the option; the selected one of the group cannot be cleared.
    if (actionName == toggleAction())
        option()->toggle();
    else
        QAccessibleWidget::doAction(actionName);
}

} // namespace pemtos::qt
