// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessibleWidget>
#include <QRadioButton>

namespace pemtos::qt {

/// A tree-form option as screen readers see it: a radio button, toggled by its action,
/// whose parent is the group of the fourteen options rather than the frame that holds
/// them among its drawings and captions, so that its position is told within the
/// fourteen.
class OptionAccessible final : public QAccessibleWidget {
public:
    explicit OptionAccessible(QRadioButton *option);

    QAccessibleInterface *parent() const override;
    QString text(QAccessible::Text type) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

private:
    [[nodiscard]] QRadioButton *option() const;
};

} // namespace pemtos::qt
