// SPDX-License-Identifier: MIT
#pragma once

// Small helpers shared by the tests of the Qt window.

#include "qt/listbox.h"

#include <QRadioButton>
#include <QScrollBar>
#include <QString>
#include <QStringList>
#include <QTest>

#include <string>
#include <string_view>

namespace pemtos::qt {

/// A catalogue or layout text as a QString.
inline QString qs(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

/// A text for test messages, in UTF-8.
inline std::string name(std::u16string_view text)
{
    return qs(text).toStdString();
}

/// Clicks `widget` as a person would. Options are clicked on their circle: the right
/// edge of some lies under an illustration.
inline void clickLikeAPerson(QWidget *widget)
{
    const QPoint at =
        qobject_cast<QRadioButton *>(widget) != nullptr ? QPoint(6, widget->height() / 2) : widget->rect().center();
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
}

/// The texts of the rows of `list`, in order.
inline QStringList rowTexts(const ListBox *list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row);
    return texts;
}

/// Selects row `row` of `list` with a click on it, scrolling it into view first as a
/// person would with the scroll bar.
inline void clickRow(ListBox *list, int row, Qt::KeyboardModifiers modifiers = {})
{
    auto *scrollBar = list->findChild<QScrollBar *>();
    const int shown = list->rowArea().height() / list->rowRect(0).height();
    if (scrollBar != nullptr && (row < scrollBar->value() || row >= scrollBar->value() + shown))
        scrollBar->setValue(row);
    QTest::mouseClick(list, Qt::LeftButton, modifiers, list->rowRect(row).center());
}

} // namespace pemtos::qt
