// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractButton>
#include <QList>
#include <QObject>
#include <QPointer>

namespace pemtos::qt {

/// The option buttons of one container, walked with the arrow keys in the order
/// they were added (their tab order): Right and Down go to the next one, Left and
/// Up to the one before, wrapping round at either end, so that every row of the
/// group is reached. As with Qt's own arrow keys in a group, the selection moves
/// along when the option left behind was the selected one.
class OptionGroup final : public QObject {
    Q_OBJECT

public:
    explicit OptionGroup(QObject *parent = nullptr);

    /// Appends `option` to the walk and starts watching its keys.
    void add(QAbstractButton *option);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// Moves the focus `step` options on from `from`; returns whether it moved.
    bool move(QAbstractButton *from, int step);

    QList<QPointer<QAbstractButton>> m_options;
};

} // namespace pemtos::qt
