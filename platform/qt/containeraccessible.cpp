// SPDX-License-Identifier: MIT
#include "containeraccessible.h"

#include "qt/windowlesscontrols.h"
#include "windowlessaccessible.h"

#include <QGroupBox>

namespace pemtos::qt {

ContainerAccessible::ContainerAccessible(QWidget *container, QAccessible::Role role)
    : QAccessibleWidget(container, role)
{
}

ContainerAccessible::~ContainerAccessible()
{
    for (const QAccessible::Id id : std::as_const(m_drawn))
        QAccessible::deleteAccessibleInterface(id);
}

QString ContainerAccessible::text(QAccessible::Text type) const
{
    // A frame is known by its caption.
    if (const auto *frame = qobject_cast<const QGroupBox *>(widget()); frame != nullptr && type == QAccessible::Name)
        return frame->title();
    return QAccessibleWidget::text(type);
}

int ContainerAccessible::drawnCount() const
{
    const WindowlessControls *drawn = WindowlessControls::find(*widget());
    return drawn != nullptr ? static_cast<int>(drawn->controls().size()) : 0;
}

int ContainerAccessible::childCount() const
{
    return drawnCount() + QAccessibleWidget::childCount();
}

QAccessibleInterface *ContainerAccessible::child(int index) const
{
    const int drawn = drawnCount();
    if (index >= drawn)
        return QAccessibleWidget::child(index - drawn);
    if (index < 0)
        return nullptr;
    if (const auto found = m_drawn.constFind(index); found != m_drawn.cend())
        return QAccessible::accessibleInterface(*found);
    auto *control = new WindowlessAccessible(widget(), index);
    m_drawn.insert(index, QAccessible::registerAccessibleInterface(control));
    return control;
}

int ContainerAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    for (auto drawn = m_drawn.cbegin(); drawn != m_drawn.cend(); ++drawn) {
        if (QAccessible::accessibleInterface(drawn.value()) == child)
            return drawn.key();
    }
    const int index = QAccessibleWidget::indexOfChild(child);
    return index >= 0 ? index + drawnCount() : -1;
}

QAccessibleInterface *ContainerAccessible::childAt(int x, int y) const
{
    // The child widgets lie above what the container draws.
    if (QAccessibleInterface *above = QAccessibleWidget::childAt(x, y))
        return above;
    const WindowlessControls *drawn = WindowlessControls::find(*widget());
    if (drawn == nullptr)
        return nullptr;
    const QPoint at = widget()->mapFromGlobal(QPoint(x, y));
    for (qsizetype index = 0; index < drawn->controls().size(); ++index) {
        if (drawn->controls().at(index).rect.contains(at))
            return child(static_cast<int>(index));
    }
    return nullptr;
}

} // namespace pemtos::qt
