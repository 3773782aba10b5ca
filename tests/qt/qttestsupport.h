// SPDX-License-Identifier: MIT
#pragma once

// Small helpers shared by the tests of the Qt window.

#include <QListWidget>
#include <QRadioButton>
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
inline QStringList rowTexts(const QListWidget *list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

/// The selected row of `list`, -1 when none is selected.
inline int selectedRowOf(const QListWidget *list)
{
    const QList<QListWidgetItem *> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

/// Selects row `row` of `list` with a click on it.
inline void clickRow(QListWidget *list, int row)
{
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

} // namespace pemtos::qt
