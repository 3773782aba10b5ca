// SPDX-License-Identifier: MIT
#include "platform/qt/picturebox.h"

#include <QPainter>

namespace pemtos::qt {

PictureBox::PictureBox(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
}

void PictureBox::setPictures(const QPixmap &normal, const QPixmap &doubleSize)
{
    m_normal = normal;
    m_doubleSize = doubleSize;
    if (!m_doubleSize.isNull())
        m_doubleSize.setDevicePixelRatio(2.0);
    update();
}

QPixmap PictureBox::shownPixmap() const
{
    if (devicePixelRatioF() > 1.0 && !m_doubleSize.isNull())
        return m_doubleSize;
    return m_normal;
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    const QPixmap pixmap = shownPixmap();
    if (pixmap.isNull())
        return;
    QPainter painter(this);
    const QRect inner = contentsRect();
    painter.setClipRect(inner);
    painter.drawPixmap(inner.topLeft(), pixmap);
}

} // namespace pemtos::qt
