// SPDX-License-Identifier: MIT
#include "wrappingradiobutton.h"

#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <cmath>
#include <optional>

namespace pemtos::qt {
namespace {

/// The style's circle for `indicator` on the button's own background, drawn once for
/// each look (state, size, colours, pixel ratio) and then reused: the fourteen
/// options of the window show only two or three looks, and the antialiased circle
/// is the dearest part of painting one. Drawn at an offset, the circle comes out the
/// same pixel for pixel, because the button's background under it is one plain
/// colour; elsewhere (a picture behind it, a fractional pixel ratio) no value, and
/// the circle is drawn in place.
std::optional<QPixmap> cachedIndicator(const QWidget &button, const QStyleOptionButton &indicator)
{
    const qreal ratio = button.devicePixelRatioF();
    const QBrush background = button.palette().brush(button.backgroundRole());
    if (!button.autoFillBackground() || background.style() != Qt::SolidPattern || ratio != std::floor(ratio))
        return std::nullopt;

    QString key = QStringLiteral("pemtos-option-circle:%1:%2x%3@%4:%5")
                      .arg(int(indicator.state))
                      .arg(indicator.rect.width())
                      .arg(indicator.rect.height())
                      .arg(ratio)
                      .arg(background.color().rgba(), 0, 16);
    for (const QPalette::ColorRole role :
         {QPalette::Light, QPalette::Midlight, QPalette::Mid, QPalette::Dark, QPalette::Shadow, QPalette::Base,
          QPalette::Button, QPalette::Text, QPalette::WindowText})
        key += QLatin1Char(':') + QString::number(indicator.palette.color(role).rgba(), 16);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;

    pixmap = QPixmap(indicator.rect.size() * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(background.color());
    QPainter painter(&pixmap);
    QStyleOptionButton atOrigin = indicator;
    atOrigin.rect.moveTo(0, 0);
    button.style()->drawPrimitive(QStyle::PE_IndicatorRadioButton, &atOrigin, &painter, &button);
    painter.end();
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

} // namespace

WrappingRadioButton::WrappingRadioButton(const QString &text, QWidget *parent) : QRadioButton(text, parent) {}

void WrappingRadioButton::paintEvent(QPaintEvent * /*event*/)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);

    QStyleOptionButton indicator = option;
    indicator.rect = style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, this);
    if (const std::optional<QPixmap> circle = cachedIndicator(*this, indicator))
        painter.drawPixmap(indicator.rect.topLeft(), *circle);
    else
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
