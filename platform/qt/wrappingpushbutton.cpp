// SPDX-License-Identifier: MIT
#include "wrappingpushbutton.h"

#include "qt/classicchrome.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace pemtos::qt {

WrappingPushButton::WrappingPushButton(const QString &text, QWidget *parent) : QPushButton(text, parent) {}

void WrappingPushButton::paintEvent(QPaintEvent * /*event*/)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);

    // The style draws the bevel and focus frame; the caption is drawn here so that
    // it can wrap, which the style's own label drawing never does.
    const QString caption = option.text;
    option.text.clear();
    if (option.features & QStyleOptionButton::DefaultButton) {
        // The button Enter presses wears a dark outline, its bevel drawn just inside it.
        painter.drawPrimitive(QStyle::PE_FrameDefaultButton, option);
        option.features |= QStyleOptionButton::AutoDefaultButton;
    }
    const bool plainRaised = devicePixelRatioF() == 1.0 && (option.state & QStyle::State_Raised) &&
                             !(option.state & (QStyle::State_Sunken | QStyle::State_On)) &&
                             !(option.features & (QStyleOptionButton::Flat | QStyleOptionButton::HasMenu |
                                                  QStyleOptionButton::CommandLinkButton));
    if (plainRaised) {
        // The bevel the style would stroke, filled; inside the default button's outline.
        QRect bevel = option.rect;
        if (option.features & QStyleOptionButton::AutoDefaultButton) {
            const int outline = style()->pixelMetric(QStyle::PM_ButtonDefaultIndicator, &option, this);
            bevel.adjust(outline, outline, -outline, -outline);
        }
        fillRaisedButton(painter, bevel, option.palette);
    } else {
        painter.drawControl(QStyle::CE_PushButtonBevel, option);
    }

    QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    if (isDown() || isChecked()) {
        contents.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                           style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    }
    painter.drawItemText(contents, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, palette(), isEnabled(),
                         caption, QPalette::ButtonText);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace pemtos::qt
