// SPDX-License-Identifier: MIT
#include "qt/picturebox.h"

#include "accessiblefactory.h"
#include "qt/bitmapfile.h"
#include "qt/classicchrome.h"
#include "window/illustrations.h"

#include <QPainter>

namespace pemtos::qt {

PictureBox::PictureBox(QWidget *parent) : QFrame(parent)
{
    installAccessibility();
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::setPictures(const QPixmap &normal, const QPixmap &doubleSize)
{
    m_normal = normal;
    m_doubleSize = doubleSize;
    m_normalFile.clear();
    m_doubleSizeFile.clear();
    if (!m_doubleSize.isNull())
        m_doubleSize.setDevicePixelRatio(2.0);
    update();
}

void PictureBox::setPictureFiles(const QString &normal, const QString &doubleSize)
{
    m_normal = QPixmap();
    m_doubleSize = QPixmap();
    m_normalFile = normal;
    m_doubleSizeFile = doubleSize;
    update();
}

void PictureBox::loadOnce(QPixmap &pixmap, QString &file)
{
    if (file.isEmpty())
        return;
    pixmap = QPixmap::fromImage(readBitmap(file));
    file.clear();
}

QPixmap PictureBox::shownPixmap() const
{
    if (window::showsDoubleSize(devicePixelRatioF())) {
        loadOnce(m_doubleSize, m_doubleSizeFile);
        if (!m_doubleSize.isNull()) {
            m_doubleSize.setDevicePixelRatio(2.0);
            return m_doubleSize;
        }
    }
    loadOnce(m_normal, m_normalFile);
    return m_normal;
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    const bool onePixelPerPixel = devicePixelRatioF() == 1.0;
    if (!onePixelPerPixel)
        QFrame::paintEvent(event);
    QPainter painter(this);
    if (onePixelPerPixel)
        fillSunkenPanel(painter, frameRect(), palette());
    const QPixmap pixmap = shownPixmap();
    if (pixmap.isNull())
        return;
    const QRect inner = contentsRect();
    painter.setClipRect(inner);
    // Between whole ratios the double-size drawing is scaled down; smoothing keeps its
    // thin pen lines, which picking the nearest pixels would break up.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(inner.topLeft(), pixmap);
}

} // namespace pemtos::qt
