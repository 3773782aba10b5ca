// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessible>
#include <QPointer>

namespace pemtos::qt {

/// One control a container draws, for screen readers: a static text named by its
/// caption, or an empty image named for what it is.
class WindowlessAccessible final : public QAccessibleInterface {
public:
    /// The `index`-th control `container` draws.
    WindowlessAccessible(QWidget *container, int index);

    bool isValid() const override;
    QObject *object() const override;
    QWindow *window() const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QString text(QAccessible::Text type) const override;
    void setText(QAccessible::Text type, const QString &text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;

private:
    QPointer<QWidget> m_container;
    int m_index;
};

} // namespace pemtos::qt
