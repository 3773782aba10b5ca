// SPDX-License-Identifier: MIT
#include "containeraccessible.h"

#include "announcer.h"
#include "optiongroupaccessible.h"
#include "qt/windowlesscontrols.h"
#include "windowlessaccessible.h"

#include <QGroupBox>
#include <QRadioButton>

namespace pemtos::qt {

ContainerAccessible::ContainerAccessible(QWidget *container, QAccessible::Role role)
    : QAccessibleWidget(container, role)
{
}

ContainerAccessible::~ContainerAccessible()
{
    for (const QAccessible::Id id : std::as_const(m_drawn))
        QAccessible::deleteAccessibleInterface(id);
    if (m_optionGroup != 0)
        QAccessible::deleteAccessibleInterface(m_optionGroup);
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

QAccessibleInterface *ContainerAccessible::optionGroup() const
{
    if (m_optionGroup != 0)
        return QAccessible::accessibleInterface(m_optionGroup);
    auto *group = new OptionGroupAccessible(widget());
    m_optionGroup = QAccessible::registerAccessibleInterface(group);
    return group;
}

QList<QAccessibleInterface *> ContainerAccessible::widgetChildren() const
{
    QList<QAccessibleInterface *> children;
    bool grouped = false;
    for (int index = 0; index < QAccessibleWidget::childCount(); ++index) {
        QAccessibleInterface *child = QAccessibleWidget::child(index);
        if (child != nullptr && qobject_cast<const QRadioButton *>(child->object()) != nullptr) {
            if (!grouped)
                children.append(optionGroup());
            grouped = true;
            continue;
        }
        children.append(child);
    }
    if (const Announcer *announcer = Announcer::find(*widget()))
        children.append(announcer->statusBar());
    return children;
}

int ContainerAccessible::childCount() const
{
    return drawnCount() + static_cast<int>(widgetChildren().size());
}

QAccessibleInterface *ContainerAccessible::child(int index) const
{
    const int drawn = drawnCount();
    if (index >= drawn) {
        const QList<QAccessibleInterface *> children = widgetChildren();
        return index - drawn < children.size() ? children.at(index - drawn) : nullptr;
    }
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
    const qsizetype index = child != nullptr ? widgetChildren().indexOf(child) : -1;
    return index >= 0 ? static_cast<int>(index) + drawnCount() : -1;
}

QAccessibleInterface *ContainerAccessible::childAt(int x, int y) const
{
    // The child widgets lie above what the container draws.
    if (QAccessibleInterface *above = QAccessibleWidget::childAt(x, y))
        return qobject_cast<const QRadioButton *>(above->object()) != nullptr ? optionGroup() : above;
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
