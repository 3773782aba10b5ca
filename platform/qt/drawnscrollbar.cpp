// SPDX-License-Identifier: MIT
#include "drawnscrollbar.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionSlider>
#include <QWidget>

#include <algorithm>

namespace pemtos::qt {
namespace {

// Qt's own scroll bar waits this long before a held arrow or page repeats, then
// repeats at this pace.
constexpr int kRepeatDelayMs = 500;
constexpr int kRepeatIntervalMs = 50;
constexpr int kWheelNotch = 120; ///< eighths of a degree

} // namespace

DrawnScrollBar::DrawnScrollBar(QWidget &owner) : QObject(&owner), m_owner(owner) {}

void DrawnScrollBar::setGeometry(const QRect &rect)
{
    m_rect = rect;
}

QRect DrawnScrollBar::geometry() const
{
    return m_rect;
}

int DrawnScrollBar::extent() const
{
    QStyleOptionSlider option;
    initStyleOption(option);
    return m_owner.style()->pixelMetric(QStyle::PM_ScrollBarExtent, &option, &m_owner);
}

void DrawnScrollBar::setVisible(bool visible)
{
    m_visible = visible;
    if (!visible)
        mouseRelease();
}

bool DrawnScrollBar::isVisible() const
{
    return m_visible;
}

void DrawnScrollBar::setRange(int maximum, int pageStep)
{
    m_maximum = std::max(maximum, 0);
    m_pageStep = std::max(pageStep, 1);
    setValue(m_value);
}

int DrawnScrollBar::value() const
{
    return m_value;
}

void DrawnScrollBar::setValue(int value)
{
    value = std::clamp(value, 0, m_maximum);
    if (value == m_value)
        return;
    m_value = value;
    m_owner.update();
}

void DrawnScrollBar::initStyleOption(QStyleOptionSlider &option) const
{
    option.initFrom(&m_owner);
    // The owner's focus is not the scroll bar's.
    option.state &= ~QStyle::State_HasFocus;
    option.rect = QRect(QPoint(0, 0), m_rect.size());
    option.orientation = Qt::Vertical;
    option.minimum = 0;
    option.maximum = m_maximum;
    option.sliderPosition = m_value;
    option.sliderValue = m_value;
    option.singleStep = 1;
    option.pageStep = m_pageStep;
    option.upsideDown = false;
    option.subControls = QStyle::SC_All;
    option.activeSubControls = m_pressed;
    if (m_pressed != QStyle::SC_None && m_pointerOnPressed)
        option.state |= QStyle::State_Sunken;
}

void DrawnScrollBar::paint(QPainter &painter) const
{
    if (!m_visible)
        return;
    QStyleOptionSlider option;
    initStyleOption(option);
    // Drawn from its own corner, as a scroll bar widget would be, so that the groove's
    // pattern falls on the same pixels.
    painter.save();
    painter.setClipRect(m_rect);
    painter.translate(m_rect.topLeft());
    m_owner.style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, &m_owner);
    painter.restore();
}

QStyle::SubControl DrawnScrollBar::controlAt(const QPoint &position) const
{
    QStyleOptionSlider option;
    initStyleOption(option);
    return m_owner.style()->hitTestComplexControl(QStyle::CC_ScrollBar, &option, position - m_rect.topLeft(), &m_owner);
}

int DrawnScrollBar::valueAt(int sliderTop) const
{
    QStyleOptionSlider option;
    initStyleOption(option);
    const QStyle &style = *m_owner.style();
    const QRect groove = style.subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarGroove, &m_owner);
    const QRect slider = style.subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, &m_owner);
    const int span = groove.height() - slider.height();
    return QStyle::sliderValueFromPosition(0, m_maximum, sliderTop - groove.top(), span);
}

void DrawnScrollBar::step(QStyle::SubControl control)
{
    switch (control) {
    case QStyle::SC_ScrollBarSubLine:
        setValue(m_value - 1);
        break;
    case QStyle::SC_ScrollBarAddLine:
        setValue(m_value + 1);
        break;
    case QStyle::SC_ScrollBarSubPage:
    case QStyle::SC_ScrollBarAddPage: {
        // A page at a time until the slider reaches the pointer.
        if (controlAt(m_pointer) != control)
            return;
        setValue(m_value + (control == QStyle::SC_ScrollBarAddPage ? m_pageStep : -m_pageStep));
        break;
    }
    default:
        break;
    }
}

bool DrawnScrollBar::mousePress(const QMouseEvent &event)
{
    const QPoint position = event.position().toPoint();
    if (!m_visible || !m_rect.contains(position))
        return false;
    if (event.button() != Qt::LeftButton)
        return true;
    m_pointer = position;
    m_pressed = controlAt(position);
    m_pointerOnPressed = true;
    if (m_pressed == QStyle::SC_ScrollBarSlider) {
        QStyleOptionSlider option;
        initStyleOption(option);
        const QRect slider =
            m_owner.style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, &m_owner);
        m_grabOffset = position.y() - m_rect.top() - slider.top();
    } else if (m_pressed != QStyle::SC_None && m_pressed != QStyle::SC_ScrollBarGroove) {
        step(m_pressed);
        m_repeating = false;
        m_repeat.start(kRepeatDelayMs, this);
    }
    m_owner.update(m_rect);
    return true;
}

bool DrawnScrollBar::mouseMove(const QMouseEvent &event)
{
    if (m_pressed == QStyle::SC_None)
        return false;
    m_pointer = event.position().toPoint();
    if (m_pressed == QStyle::SC_ScrollBarSlider) {
        setValue(valueAt(m_pointer.y() - m_rect.top() - m_grabOffset));
        return true;
    }
    // An arrow or page held down repeats only while the pointer stays on it.
    const bool onPressed = controlAt(m_pointer) == m_pressed;
    if (onPressed != m_pointerOnPressed) {
        m_pointerOnPressed = onPressed;
        m_owner.update(m_rect);
    }
    return true;
}

bool DrawnScrollBar::mouseRelease()
{
    if (m_pressed == QStyle::SC_None)
        return false;
    m_repeat.stop();
    m_pressed = QStyle::SC_None;
    m_owner.update(m_rect);
    return true;
}

void DrawnScrollBar::wheel(const QWheelEvent &event)
{
    m_wheelRemainder += event.angleDelta().y();
    const int notches = m_wheelRemainder / kWheelNotch;
    if (notches == 0)
        return;
    m_wheelRemainder -= notches * kWheelNotch;
    // A page a notch with Ctrl or Shift held, as Qt's scroll bars do.
    const bool byPage = (event.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier)) != 0;
    setValue(m_value - notches * (byPage ? m_pageStep : QApplication::wheelScrollLines()));
}

void DrawnScrollBar::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_repeat.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    if (!m_repeating) {
        m_repeating = true;
        m_repeat.start(kRepeatIntervalMs, this);
    }
    if (m_pointerOnPressed)
        step(m_pressed);
}

} // namespace pemtos::qt
