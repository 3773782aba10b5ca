// SPDX-License-Identifier: MIT
#pragma once

#include <QBasicTimer>
#include <QObject>
#include <QRect>
#include <QStyle>

class QMouseEvent;
class QPainter;
class QStyleOptionSlider;
class QWheelEvent;
class QWidget;

namespace pemtos::qt {

/// A vertical scroll bar that the widget it belongs to draws and feeds its mouse
/// events to, drawn as the style draws a scroll bar and behaving as Qt's does: an
/// arrow or a page area held down repeats, the slider follows the pointer, the wheel
/// scrolls three steps a notch. It spares its owner a scroll bar widget of its own.
class DrawnScrollBar final : public QObject {
public:
    /// A hidden scroll bar of `owner`, which it asks to repaint when it changes.
    explicit DrawnScrollBar(QWidget &owner);

    /// Where it lies, in its owner's coordinates.
    void setGeometry(const QRect &rect);
    QRect geometry() const;
    /// Its width as the style makes scroll bars.
    int extent() const;
    void setVisible(bool visible);
    bool isVisible() const;
    /// Scrolls from 0 to `maximum` a step at a time, `pageStep` steps a page.
    void setRange(int maximum, int pageStep);
    int value() const;
    /// Moves to `value`, kept within the range.
    void setValue(int value);

    /// Draws it, when visible, with `painter` in its owner's coordinates.
    void paint(QPainter &painter) const;
    /// Takes a press that lands on it; false when it does not.
    bool mousePress(const QMouseEvent &event);
    /// Follows the pointer while a press it took lasts; false when there is none.
    bool mouseMove(const QMouseEvent &event);
    /// Ends a press it took; false when there is none.
    bool mouseRelease();
    /// Scrolls for the wheel.
    void wheel(const QWheelEvent &event);

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    void initStyleOption(QStyleOptionSlider &option) const;
    QStyle::SubControl controlAt(const QPoint &position) const;
    /// Scrolls as a press on `control` does once.
    void step(QStyle::SubControl control);
    /// The value that puts the slider's top `sliderTop` pixels down the scroll bar.
    int valueAt(int sliderTop) const;

    QWidget &m_owner;
    QRect m_rect;
    bool m_visible = false;
    int m_maximum = 0;
    int m_pageStep = 1;
    int m_value = 0;
    QStyle::SubControl m_pressed = QStyle::SC_None;
    bool m_pointerOnPressed = false;
    int m_grabOffset = 0; ///< where the slider was taken, from its top
    QPoint m_pointer;
    QBasicTimer m_repeat;
    bool m_repeating = false;
    int m_wheelRemainder = 0; ///< eighths of a degree not yet scrolled
};

} // namespace pemtos::qt
