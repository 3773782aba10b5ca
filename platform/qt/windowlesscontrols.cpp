// SPDX-License-Identifier: MIT
#include "qt/windowlesscontrols.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QWidget>

#include <utility>

namespace pemtos::qt {

WindowlessControls::WindowlessControls(QWidget &container) : QObject(&container), m_container(container)
{
    container.installEventFilter(this);
}

WindowlessControls &WindowlessControls::of(QWidget &container)
{
    if (auto *existing = container.findChild<WindowlessControls *>(QString(), Qt::FindDirectChildrenOnly))
        return *existing;
    return *new WindowlessControls(container); // NOLINT(clang-analyzer-cplusplus.NewDeleteLeaks): the container owns it
}

const WindowlessControls *WindowlessControls::find(const QWidget &container)
{
    return container.findChild<const WindowlessControls *>(QString(), Qt::FindDirectChildrenOnly);
}

void WindowlessControls::add(Control control)
{
    control.container = &m_container;
    m_container.update(control.rect);
    m_controls.append(std::move(control));
}

bool WindowlessControls::eventFilter(QObject *watched, QEvent *event)
{
    // Drawn as the container's paint event begins, over its background and under
    // whatever the container and its child widgets draw.
    const auto *paint =
        watched == &m_container && event->type() == QEvent::Paint ? dynamic_cast<const QPaintEvent *>(event) : nullptr;
    if (paint != nullptr) {
        QPainter painter(&m_container);
        for (const Control &control : std::as_const(m_controls)) {
            // A control repainted over its container asks for the part under it only:
            // the captions it does not touch are not laid out again.
            if (!paint->region().intersects(control.rect))
                continue;
            if (control.back && *control.back != m_container.palette().color(m_container.backgroundRole()))
                painter.fillRect(control.rect, *control.back);
            if (control.caption.isEmpty())
                continue;
            // A caption is cut off at its own rectangle, as a label's would be, and
            // drawn as a label draws plain text.
            painter.setClipRect(control.rect);
            painter.setFont(control.font);
            QPalette palette = m_container.palette();
            palette.setColor(QPalette::WindowText, control.text);
            m_container.style()->drawItemText(
                &painter, control.rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextForceLeftToRight,
                palette, m_container.isEnabled(), control.caption, QPalette::WindowText);
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace pemtos::qt
