// SPDX-License-Identifier: MIT
#include "qt/listbox.h"

#include "accessiblefactory.h"
#include "drawnscrollbar.h"
#include "qt/classicchrome.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

#include <algorithm>
#include <utility>

namespace pemtos::qt {

ListBox::ListBox(QWidget *parent) : QFrame(parent), m_scrollBar(new DrawnScrollBar(*this))
{
    installAccessibility();
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
}

void ListBox::clear()
{
    m_rows.clear();
    m_selected = -1;
    m_current = -1;
    m_scrollBar->setValue(0);
    updateScrollBar();
    update();
    if (QAccessible::isActive()) {
        QAccessibleTableModelChangeEvent event(this, QAccessibleTableModelChangeEvent::ModelReset);
        QAccessible::updateAccessibility(&event);
    }
}

void ListBox::addItem(const QString &text)
{
    m_rows.append(text);
    updateScrollBar();
    update();
    if (QAccessible::isActive()) {
        const int row = static_cast<int>(m_rows.size()) - 1;
        QAccessibleTableModelChangeEvent event(this, QAccessibleTableModelChangeEvent::RowsInserted);
        event.setFirstRow(row);
        event.setLastRow(row);
        QAccessible::updateAccessibility(&event);
    }
}

int ListBox::count() const
{
    return static_cast<int>(m_rows.size());
}

QString ListBox::item(int row) const
{
    return m_rows.value(row);
}

int ListBox::selectedRow() const
{
    return m_selected;
}

int ListBox::currentRow() const
{
    return m_current;
}

void ListBox::selectRow(int row)
{
    if (row < 0 || row >= count()) {
        const int was = std::exchange(m_selected, -1);
        if (was >= 0) {
            update();
            announce(was, QAccessible::SelectionRemove);
        }
        return;
    }
    moveTo(row, true);
}

QRect ListBox::rowArea() const
{
    QRect area = contentsRect();
    if (m_scrollBar->isVisible())
        area.setRight(m_scrollBar->geometry().left() - 1);
    return area;
}

QRect ListBox::rowRect(int row) const
{
    const QRect area = rowArea();
    const int height = rowHeight();
    return {area.left(), area.top() + (row - m_scrollBar->value()) * height, area.width(), height};
}

int ListBox::rowHeight() const
{
    return std::max(fontMetrics().height(), 1);
}

int ListBox::visibleRows() const
{
    return std::max(rowArea().height() / rowHeight(), 1);
}

int ListBox::rowAt(const QPoint &position) const
{
    const QRect area = rowArea();
    if (!area.contains(position))
        return -1;
    const int row = m_scrollBar->value() + (position.y() - area.top()) / rowHeight();
    return row < count() ? row : -1;
}

void ListBox::moveTo(int row, bool select)
{
    if (count() == 0)
        return;
    row = std::clamp(row, 0, count() - 1);
    const int wasCurrent = std::exchange(m_current, row);
    scrollTo(row);
    if (select && m_selected != row) {
        const int was = std::exchange(m_selected, row);
        if (was >= 0)
            announce(was, QAccessible::SelectionRemove);
        announce(row, QAccessible::SelectionAdd);
    }
    if (wasCurrent != row && hasFocus())
        announce(row, QAccessible::Focus);
    update();
}

void ListBox::scrollTo(int row)
{
    const int top = m_scrollBar->value();
    if (row < top)
        m_scrollBar->setValue(row);
    else if (row >= top + visibleRows())
        m_scrollBar->setValue(row - visibleRows() + 1);
}

void ListBox::updateScrollBar()
{
    // The rows scroll a whole row at a time, so the first shown is always whole.
    const QRect inside = contentsRect();
    const int width = m_scrollBar->extent();
    m_scrollBar->setGeometry({inside.right() - width + 1, inside.top(), width, inside.height()});
    const int fitting = std::max(inside.height() / rowHeight(), 1);
    m_scrollBar->setRange(count() - fitting, fitting);
    m_scrollBar->setVisible(count() > fitting);
}

void ListBox::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    if (devicePixelRatioF() == 1.0)
        fillSunkenField(painter, frameRect(), palette());
    else
        drawFrame(&painter);
    const QRect area = rowArea();
    painter.fillRect(area, palette().brush(QPalette::Base));
    painter.save();
    painter.setClipRect(area);
    const int first = m_scrollBar->value();
    const int last = std::min(count() - 1, first + area.height() / rowHeight());
    for (int row = first; row <= last; ++row)
        drawRow(painter, row, rowRect(row));
    painter.restore();
    m_scrollBar->paint(painter);
}

void ListBox::drawRow(QPainter &painter, int row, const QRect &rect) const
{
    QStyleOption option;
    option.initFrom(this);
    option.rect = rect;
    QPalette::ColorGroup group = isEnabled() ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(option.state & QStyle::State_Active))
        group = QPalette::Inactive;
    const bool selected = row == m_selected;
    if (selected)
        painter.fillRect(rect, palette().brush(group, QPalette::Highlight));
    // The text keeps the margin a focus frame needs on either side.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const QRect textRect = rect.adjusted(margin, 0, -margin, 0);
    painter.setPen(palette().color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(m_rows.at(row), Qt::ElideRight, textRect.width()));
    if (row == m_current && hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        if (selected)
            focus.state |= QStyle::State_Selected;
        focus.backgroundColor = palette().color(group, selected ? QPalette::Highlight : QPalette::Window);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void ListBox::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    updateScrollBar();
}

void ListBox::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    // Another font changes the rows' height, and with it how many fit.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        updateScrollBar();
}

void ListBox::focusInEvent(QFocusEvent *event)
{
    QFrame::focusInEvent(event);
    // The keyboard lands on the first row without choosing it.
    if (m_current < 0 && count() > 0)
        m_current = 0;
    if (m_current >= 0)
        announce(m_current, QAccessible::Focus);
    update();
}

void ListBox::focusOutEvent(QFocusEvent *event)
{
    QFrame::focusOutEvent(event);
    update();
}

void ListBox::keyPressEvent(QKeyEvent *event)
{
    const int page = visibleRows();
    const int from = m_current;
    int to = -1;
    switch (event->key()) {
    case Qt::Key_Up:
        to = from - 1;
        break;
    case Qt::Key_Down:
        to = from + 1;
        break;
    case Qt::Key_PageUp:
        to = from - page;
        break;
    case Qt::Key_PageDown:
        to = from + page;
        break;
    case Qt::Key_Home:
        to = 0;
        break;
    case Qt::Key_End:
        to = count() - 1;
        break;
    case Qt::Key_Space:
        to = std::max(from, 0);
        break;
    default:
        if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && searchByTyping(event->text()))
            return;
        // Enter, Tab and the rest belong to the window.
        event->ignore();
        return;
    }
    moveTo(to, !(event->modifiers() & Qt::ControlModifier));
}

bool ListBox::searchByTyping(const QString &text)
{
    if (text.isEmpty() || !text.at(0).isPrint() || count() == 0)
        return false;
    if (!m_typedAt.isValid() || m_typedAt.elapsed() > QApplication::keyboardInputInterval())
        m_typed.clear();
    m_typedAt.start();
    m_typed += text;
    // Typing on from a match keeps it while it still matches; a new start looks past it.
    const int start = m_typed.size() == text.size() ? m_current + 1 : std::max(m_current, 0);
    for (int step = 0; step < count(); ++step) {
        const int row = (start + step) % count();
        if (m_rows.at(row).startsWith(m_typed, Qt::CaseInsensitive)) {
            moveTo(row, true);
            return true;
        }
    }
    return true;
}

void ListBox::mousePressEvent(QMouseEvent *event)
{
    if (m_scrollBar->mousePress(*event))
        return;
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) {
        QFrame::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const int row = rowAt(event->position().toPoint());
    // Ctrl+click on the selected row takes the selection back.
    if (row >= 0 && row == m_selected && (event->modifiers() & Qt::ControlModifier)) {
        m_current = row;
        selectRow(-1);
    } else if (row >= 0) {
        moveTo(row, true);
    } else if (rowArea().contains(event->position().toPoint())) {
        selectRow(-1);
    }
}

void ListBox::mouseMoveEvent(QMouseEvent *event)
{
    if (m_scrollBar->mouseMove(*event))
        return;
    // Dragging with the button down carries the selection along.
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const QPoint position = event->position().toPoint();
    const QRect area = rowArea();
    if (position.y() < area.top())
        moveTo(m_scrollBar->value() - 1, true);
    else if (position.y() > area.bottom())
        moveTo(m_scrollBar->value() + visibleRows(), true);
    else if (const int row = rowAt(position); row >= 0)
        moveTo(row, true);
}

void ListBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_scrollBar->mouseRelease())
        QFrame::mouseReleaseEvent(event);
}

void ListBox::wheelEvent(QWheelEvent *event)
{
    m_scrollBar->wheel(*event);
}

void ListBox::announce(int row, QAccessible::Event type)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(this, type);
    event.setChild(row);
    QAccessible::updateAccessibility(&event);
}

} // namespace pemtos::qt
