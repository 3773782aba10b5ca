// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessible>
#include <QPointer>
#include <QWidget>

namespace pemtos::qt {

/// A part of a widget that screen readers see as an object of its own, with no
/// object and no children of its own: a control its container draws. Its parent is
/// the widget's interface, and it lies where the widget says.
class WidgetPartAccessible : public QAccessibleInterface {
public:
    explicit WidgetPartAccessible(QWidget *owner) : m_owner(owner) {}

    QObject *object() const final;
    QWindow *window() const final;
    QAccessibleInterface *childAt(int x, int y) const final;
    QAccessibleInterface *parent() const final;
    QAccessibleInterface *child(int index) const final;
    int childCount() const final;
    int indexOfChild(const QAccessibleInterface *child) const final;
    void setText(QAccessible::Text type, const QString &text) final;
    QRect rect() const final;

protected:
    /// The widget it is a part of; nullptr once that is gone.
    [[nodiscard]] QWidget *owner() const { return m_owner; }
    /// Where it lies in the widget, when isValid().
    [[nodiscard]] virtual QRect partRect() const = 0;

private:
    QPointer<QWidget> m_owner;
};

} // namespace pemtos::qt
