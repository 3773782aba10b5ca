// SPDX-License-Identifier: MIT
#include "optiongroup.h"

#include <QKeyEvent>

namespace pemtos::qt {

OptionGroup::OptionGroup(QObject *parent) : QObject(parent) {}

void OptionGroup::add(QAbstractButton *option)
{
    m_options.append(option);
    option->installEventFilter(this);
}

bool OptionGroup::eventFilter(QObject *watched, QEvent *event)
{
    const auto *key = event->type() == QEvent::KeyPress ? dynamic_cast<QKeyEvent *>(event) : nullptr;
    if (key == nullptr)
        return false;
    // Every arrow is taken, with or without modifiers, as Qt's own button keys do.
    int step = 0;
    switch (key->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        step = 1;
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        step = -1;
        break;
    default:
        return false;
    }
    return move(qobject_cast<QAbstractButton *>(watched), step);
}

bool OptionGroup::move(QAbstractButton *from, int step)
{
    const qsizetype count = m_options.size();
    const qsizetype start = m_options.indexOf(from);
    if (start < 0)
        return false;
    for (qsizetype n = 1; n < count; ++n) {
        QAbstractButton *next = m_options.at(((start + step * n) % count + count) % count);
        if (next == nullptr || !next->isEnabled() || next->isHidden())
            continue;
        next->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        if (from->isChecked())
            next->click();
        return true;
    }
    return false;
}

} // namespace pemtos::qt
