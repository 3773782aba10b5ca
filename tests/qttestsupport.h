// SPDX-License-Identifier: MIT
#pragma once

// Small helpers shared by the tests of the Qt window.

#include <QListWidget>
#include <QRadioButton>
#include <QString>
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

/// Selects row `row` of `list` with a click on it.
inline void clickRow(QListWidget *list, int row)
{
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

} // namespace pemtos::qt
