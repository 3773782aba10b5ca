// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessible>
#include <QObject>
#include <QString>
#include <QWidget>

namespace pemtos::qt {

/// Tells screen readers what a command has just shown, once and without moving the
/// focus. Orca speaks a notification as it appears, and one inside a status bar without
/// calling it a notification, while it passes over a label's new text: so the window
/// holds, for screen readers only, a status bar with one notification that appears
/// again with each new text. Neither is drawn.
class Announcer final : public QObject {
    Q_OBJECT

public:
    /// Announces on behalf of `window`, whose child it becomes.
    explicit Announcer(QWidget &window);
    ~Announcer() override;
    Announcer(const Announcer &) = delete;
    Announcer &operator=(const Announcer &) = delete;
    Announcer(Announcer &&) = delete;
    Announcer &operator=(Announcer &&) = delete;

    /// The announcer of `window`, or nullptr.
    static Announcer *find(const QWidget &window);

    /// Makes the notification appear with `text`.
    void announce(const QString &text);
    /// What was announced last; empty before the first announcement.
    [[nodiscard]] QString text() const { return m_text; }
    /// The window it announces for.
    [[nodiscard]] QWidget *window() const;

    /// The status bar, a child of the window's interface.
    [[nodiscard]] QAccessibleInterface *statusBar() const;
    /// The notification, the status bar's one child.
    [[nodiscard]] QAccessibleInterface *notification() const;
    /// Whether `candidate` is the notification.
    [[nodiscard]] bool isNotification(const QAccessibleInterface *candidate) const;

private:
    QWidget *m_window;
    QString m_text;
    mutable QAccessible::Id m_statusBar = 0;
    mutable QAccessible::Id m_notification = 0;
};

} // namespace pemtos::qt
