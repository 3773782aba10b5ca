// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractButton>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

namespace pemtos::qt {

/// The arrow keys on the window's option buttons: Right and Down go to the next
/// option button of the group, Left and Up to the one before, in the order the
/// window's design gives (window::nextOption), so that every row of the group is
/// reached. As with Qt's own arrow keys in a group, the selection moves along when
/// the option left behind was the selected one.
class OptionKeys final : public QObject {
    Q_OBJECT

public:
    explicit OptionKeys(QObject *parent = nullptr);

    /// Starts watching the keys of `option`, known by its object name, the design name.
    void add(QAbstractButton *option);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// Moves the focus from `from` to the next (or previous) option that can take it;
    /// returns whether it moved.
    bool move(QAbstractButton *from, bool backwards);

    QHash<QString, QPointer<QAbstractButton>> m_options;
};

} // namespace pemtos::qt
