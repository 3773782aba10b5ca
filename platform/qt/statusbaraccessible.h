// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessibleInterface>
#include <QPointer>

namespace pemtos::qt {

class Announcer;

/// The status bar that holds an announcer's notification, for screen readers only:
/// a child of the window's interface, with no widget and nothing drawn.
class StatusBarAccessible final : public QAccessibleInterface {
public:
    explicit StatusBarAccessible(const Announcer *announcer);

    bool isValid() const override;
    QObject *object() const override;
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QString text(QAccessible::Text type) const override;
    void setText(QAccessible::Text type, const QString &text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;

private:
    QPointer<const Announcer> m_announcer;
};

} // namespace pemtos::qt
