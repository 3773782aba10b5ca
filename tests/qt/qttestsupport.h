// SPDX-License-Identifier: MIT
#pragma once

// Small helpers shared by the tests of the Qt window.

#include "qt/qtform.h"

#include <QImage>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollBar>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTest>

#include <functional>
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

/// The font the window shows the control `name` in, a widget of its own or drawn by
/// its container.
inline QFont shownFont(const QtForm &form, std::u16string_view name)
{
    if (const QWidget *widget = form.control(name))
        return widget->font();
    const WindowlessControls::Control *drawn = form.drawnControl(name);
    return drawn != nullptr ? drawn->font : QFont();
}

/// Where the window shows the control `name`, in the window's coordinates.
inline QRect shownRect(const QtForm &form, std::u16string_view name)
{
    if (const QWidget *widget = form.control(name))
        return {widget->mapTo(&form, QPoint(0, 0)), widget->size()};
    const WindowlessControls::Control *drawn = form.drawnControl(name);
    return drawn != nullptr ? QRect(drawn->container->mapTo(&form, drawn->rect.topLeft()), drawn->rect.size())
                            : QRect();
}

/// Where `drawn` first differs from `expected` in colour, looking only at the pixels
/// `compared` picks (all when empty); an empty text when they agree there.
inline std::string pixelDifference(const QImage &drawn, const QImage &expected,
                                   const std::function<bool(int x, int y)> &compared = {})
{
    if (drawn.size() != expected.size())
        return "sizes differ";
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            constexpr QRgb kColour = 0xFFFFFFU; // red, green and blue; not alpha
            if ((!compared || compared(x, y)) && (drawn.pixel(x, y) & kColour) != (expected.pixel(x, y) & kColour))
                return "at " + std::to_string(x) + "," + std::to_string(y);
        }
    }
    return {};
}

/// The pixels of a widget of `size` within `width` of its edge: where its frame lies.
inline std::function<bool(int x, int y)> edgeBand(QSize size, int width)
{
    return [size, width](int x, int y) {
        return x < width || y < width || x >= size.width() - width || y >= size.height() - width;
    };
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

/// Selects row `row` of `list` with a click on it, first scrolling it into view with
/// clicks on the scroll bar's arrows as a person would.
inline void clickRow(QListWidget *list, int row, Qt::KeyboardModifiers modifiers = {})
{
    QScrollBar *bar = list->verticalScrollBar();
    const QRect area = list->viewport()->rect();
    const auto shown = [&] { return list->visualItemRect(list->item(row)); };
    for (int tries = 0; tries < list->count() && !area.contains(shown()); ++tries) {
        const bool down = shown().top() > area.top();
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, down ? bar->height() - 3 : 2));
    }
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, shown().center());
}

} // namespace pemtos::qt
