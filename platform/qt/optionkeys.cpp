// SPDX-License-Identifier: MIT
#include "optionkeys.h"

#include "window/navigation.h"

#include <QKeyEvent>

#include <string>

namespace pemtos::qt {

OptionKeys::OptionKeys(QObject *parent) : QObject(parent) {}

void OptionKeys::add(QAbstractButton *option)
{
    m_options.insert(option->objectName(), option);
    option->installEventFilter(this);
}

bool OptionKeys::eventFilter(QObject *watched, QEvent *event)
{
    const auto *key = event->type() == QEvent::KeyPress ? dynamic_cast<QKeyEvent *>(event) : nullptr;
    if (key == nullptr)
        return false;
    // Every arrow is taken, with or without modifiers, as Qt's own button keys do.
    switch (key->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        return move(qobject_cast<QAbstractButton *>(watched), false);
    case Qt::Key_Left:
    case Qt::Key_Up:
        return move(qobject_cast<QAbstractButton *>(watched), true);
    default:
        return false;
    }
}

bool OptionKeys::move(QAbstractButton *from, bool backwards)
{
    if (from == nullptr)
        return false;
    const std::u16string start = from->objectName().toStdU16String();
    for (const window::LayoutEntry *next = window::nextOption(start, backwards); next != nullptr && next->name != start;
         next = window::nextOption(next->name, backwards)) {
        QAbstractButton *option =
            m_options.value(QString::fromUtf16(next->name.data(), static_cast<qsizetype>(next->name.size())));
        if (option == nullptr || !option->isEnabled() || option->isHidden())
            continue;
        option->setFocus(backwards ? Qt::BacktabFocusReason : Qt::TabFocusReason);
        if (from->isChecked())
            option->click();
        return true;
    }
    return false;
}

} // namespace pemtos::qt
