// SPDX-License-Identifier: MIT
#include "wrappingradiobutton.h"

#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

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
    // The widget that paints the background under the circle: the button, or the
    // first container that fills its own.
    const QWidget *filler = &button;
    while (!filler->autoFillBackground() && !filler->isWindow())
        filler = filler->parentWidget();
    const QBrush background = filler->palette().brush(filler->backgroundRole());
    if (background.style() != Qt::SolidPattern || ratio != std::floor(ratio))
        return std::nullopt;

    // What the circle's pixels depend on, compared as numbers: building a text key
    // for the pixmap cache cost more than the lookup saved.
    struct Look {
        int state;
        QSize size;
        qreal ratio;
        std::array<QRgb, 10> colours;

        bool operator==(const Look &) const = default;
    };
    // The focus is drawn round the caption, not on the circle: a focused option's
    // circle is the same look.
    constexpr QStyle::State kNotOnTheCircle = QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
    Look look{int(indicator.state & ~kNotOnTheCircle), indicator.rect.size(), ratio, {background.color().rgba()}};
    std::size_t next = 1;
    for (const QPalette::ColorRole role :
         {QPalette::Light, QPalette::Midlight, QPalette::Mid, QPalette::Dark, QPalette::Shadow, QPalette::Base,
          QPalette::Button, QPalette::Text, QPalette::WindowText})
        look.colours.at(next++) = indicator.palette.color(role).rgba();

    // The looks drawn so far, each with its pixmap's key in Qt's cache, which may
    // have let the pixmap go since.
    static std::vector<std::pair<Look, QPixmapCache::Key>> drawn;
    const auto known =
        std::find_if(drawn.begin(), drawn.end(), [&look](const auto &entry) { return entry.first == look; });
    QPixmap pixmap;
    if (known != drawn.end() && QPixmapCache::find(known->second, &pixmap))
        return pixmap;

    pixmap = QPixmap(indicator.rect.size() * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(background.color());
    QPainter painter(&pixmap);
    QStyleOptionButton atOrigin = indicator;
    atOrigin.rect.moveTo(0, 0);
    button.style()->drawPrimitive(QStyle::PE_IndicatorRadioButton, &atOrigin, &painter, &button);
    painter.end();
    const QPixmapCache::Key key = QPixmapCache::insert(pixmap);
    if (known != drawn.end())
        known->second = key;
    else
        drawn.emplace_back(look, key);
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
