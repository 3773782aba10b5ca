// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessibleWidget>
#include <QHash>

namespace pemtos::qt {

class WindowlessControls;

/// What screen readers see of a container that draws windowless controls: its child
/// widgets, after the controls it draws, which lie beneath them. The option buttons
/// among the child widgets are one child, their group, in place of the first of them;
/// the window's announcer's status bar comes last.
class ContainerAccessible final : public QAccessibleWidget {
public:
    ContainerAccessible(QWidget *container, QAccessible::Role role);
    ~ContainerAccessible() override;
    ContainerAccessible(const ContainerAccessible &) = delete;
    ContainerAccessible &operator=(const ContainerAccessible &) = delete;
    ContainerAccessible(ContainerAccessible &&) = delete;
    ContainerAccessible &operator=(ContainerAccessible &&) = delete;

    QString text(QAccessible::Text type) const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;

    /// The group of the option buttons among the child widgets.
    [[nodiscard]] QAccessibleInterface *optionGroup() const;

private:
    /// How many controls the container draws.
    [[nodiscard]] int drawnCount() const;
    /// The children after the drawn controls: child widgets, the option group, the status bar.
    [[nodiscard]] QList<QAccessibleInterface *> widgetChildren() const;

    /// The interfaces made so far for the drawn controls, by their index.
    mutable QHash<int, QAccessible::Id> m_drawn;
    mutable QAccessible::Id m_optionGroup = 0;
};

} // namespace pemtos::qt
