// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessibleInterface>
#include <QPointer>

namespace pemtos::qt {

class Announcer;

/// One of an announcer's two objects, for screen readers only, with no widget and
/// nothing drawn: the status bar, a child of the window's interface, or the
/// notification, the status bar's one child, named by what was announced last.
class AnnouncerAccessible final : public QAccessibleInterface {
public:
    enum class Part { StatusBar, Notification };

    AnnouncerAccessible(const Announcer *announcer, Part part);

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
    [[nodiscard]] bool isStatusBar() const { return m_part == Part::StatusBar; }

    QPointer<const Announcer> m_announcer;
    Part m_part;
};

} // namespace pemtos::qt
