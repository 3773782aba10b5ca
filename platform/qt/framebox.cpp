// SPDX-License-Identifier: MIT
#include "framebox.h"

#include "accessiblefactory.h"
#include "qt/classicchrome.h"

#include <QStyleOptionGroupBox>
#include <QStylePainter>

namespace pemtos::qt {

FrameBox::FrameBox(const QString &title, QWidget *parent) : QGroupBox(parent)
{
    // Screen readers are told of the caption as it is set, and the interface made then
    // is kept: the frame's own, which lists the controls it draws, must be known by then.
    installAccessibility();
    setTitle(title);
}

void FrameBox::paintEvent(QPaintEvent *event)
{
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const bool plainEtchedLine = devicePixelRatioF() == 1.0 && option.lineWidth == 1 && option.midLineWidth == 0 &&
                                 !(option.features & QStyleOptionFrame::Flat) && !isCheckable();
    if (!plainEtchedLine) {
        QGroupBox::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    const QRect frame = style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, this);
    const QRect caption = option.text.isEmpty()
                              ? QRect()
                              : style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
    fillEtchedLine(painter, frame, caption, palette());
    // The style draws the caption, and nothing else once the frame is left out.
    option.subControls &= ~QStyle::SC_GroupBoxFrame;
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
}

} // namespace pemtos::qt
