// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessibleInterface>
#include <QList>
#include <QPointer>
#include <QRadioButton>

namespace pemtos::qt {

/// The fourteen tree-form options as one group for screen readers, in tree-form order:
/// the frame holds them among their drawings and captions, and a screen reader counts
/// an option's position among the children of its parent. The group has no widget
/// and shows nothing of its own.
class OptionGroupAccessible final : public QAccessibleInterface {
public:
    /// The options among the child widgets of `container`.
    explicit OptionGroupAccessible(QWidget *container);

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
    /// The options, first tree form first.
    [[nodiscard]] QList<QRadioButton *> options() const;

    QPointer<QWidget> m_container;
};

} // namespace pemtos::qt
