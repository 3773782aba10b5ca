// SPDX-License-Identifier: MIT
#pragma once

class QPainter;
class QPalette;
class QRect;

namespace pemtos::qt {

// The classic style draws these edges as outlines stroked through the painter's
// general path; at a device pixel ratio of 1 the same pixels filled as one-pixel
// rectangles cost a fraction of that.

/// Fills the two-pixel edge of the sunken panel `frame`: dark and light outer edges,
/// shadow and midlight inner ones, each an L.
void fillSunkenPanel(QPainter &painter, const QRect &frame, const QPalette &colours);

/// Fills the two-pixel edge of the sunken field `frame` (a list's or a text box's):
/// a sunken panel's, with the inner bottom and right edges in the button colour.
void fillSunkenField(QPainter &painter, const QRect &frame, const QPalette &colours);

/// Fills the raised button `button`: light and shadow outer edges, button-coloured
/// and dark inner ones, and its face in the button colour.
void fillRaisedButton(QPainter &painter, const QRect &button, const QPalette &colours);

/// Fills a frame's etched line round `frame`, one pixel wide, leaving out `caption`:
/// dark along the outer rectangle short of its bottom and right pixel, light inside
/// it at the top and left and outside it at the bottom and right.
void fillEtchedLine(QPainter &painter, const QRect &frame, const QRect &caption, const QPalette &colours);

} // namespace pemtos::qt
