// SPDX-License-Identifier: MIT
#include "optiongroupaccessible.h"

#include "window/speech.h"

#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace pemtos::qt {

OptionGroupAccessible::OptionGroupAccessible(QWidget *container) : m_container(container) {}

QList<QRadioButton *> OptionGroupAccessible::options() const
{
    if (m_container == nullptr)
        return {};
    QList<QRadioButton *> found = m_container->findChildren<QRadioButton *>(Qt::FindDirectChildrenOnly);
    const auto position = [](const QRadioButton *option) {
        return window::optionPosition(option->objectName().toStdU16String());
    };
    std::ranges::stable_sort(found, {}, position);
    return found;
}

bool OptionGroupAccessible::isValid() const
{
    return m_container != nullptr;
}

QObject *OptionGroupAccessible::object() const
{
    return nullptr;
}

QWindow *OptionGroupAccessible::window() const
{
    return m_container != nullptr ? m_container->window()->windowHandle() : nullptr;
}

QAccessibleInterface *OptionGroupAccessible::parent() const
{
    return QAccessible::queryAccessibleInterface(m_container);
}

QAccessibleInterface *OptionGroupAccessible::child(int index) const
{
    const QList<QRadioButton *> found = options();
    return index >= 0 && index < found.size() ? QAccessible::queryAccessibleInterface(found.at(index)) : nullptr;
}

int OptionGroupAccessible::childCount() const
{
    return static_cast<int>(options().size());
}

int OptionGroupAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (child == nullptr)
        return -1;
    return static_cast<int>(options().indexOf(qobject_cast<QRadioButton *>(child->object())));
}

QAccessibleInterface *OptionGroupAccessible::childAt(int x, int y) const
{
    for (QRadioButton *option : options()) {
        if (option->isVisible() && option->rect().contains(option->mapFromGlobal(QPoint(x, y))))
            return QAccessible::queryAccessibleInterface(option);
    }
    return nullptr;
}

QString OptionGroupAccessible::text(QAccessible::Text /*type*/) const
{
    // Unnamed: the frame around it names the options already.
    return {};
}

void OptionGroupAccessible::setText(QAccessible::Text /*type*/, const QString & /*text*/) {}

QRect OptionGroupAccessible::rect() const
{
    QRect around;
    for (const QRadioButton *option : options())
        around |= QRect(option->mapToGlobal(QPoint(0, 0)), option->size());
    return around;
}

QAccessible::Role OptionGroupAccessible::role() const
{
    return QAccessible::Grouping;
}

QAccessible::State OptionGroupAccessible::state() const
{
    QAccessible::State state;
    state.invalid = !isValid();
    return state;
}

} // namespace pemtos::qt
