// SPDX-License-Identifier: MIT
#include "wrappingradiobutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace pemtos::qt {

WrappingRadioButton::WrappingRadioButton(const QString &text, QWidget *parent) : QRadioButton(text, parent) {}

void WrappingRadioButton::paintEvent(QPaintEvent * /*event*/)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);

    QStyleOptionButton indicator = option;
    indicator.rect = style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, this);
    painter.drawPrimitive(QStyle::PE_IndicatorRadioButton, indicator);

    const QRect contents = style()->subElementRect(QStyle::SE_RadioButtonContents, &option, this);
    constexpr int kAlignment = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    painter.drawItemText(contents, kAlignment, palette(), isEnabled(), option.text, foregroundRole());

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = painter.fontMetrics()
                         .boundingRect(contents, kAlignment, option.text)
                         .adjusted(-1, -1, 1, 1)
                         .intersected(rect());
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool WrappingRadioButton::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

} // namespace pemtos::qt
