// SPDX-License-Identifier: MIT
#include "qt/picturebox.h"

#include "qt/bitmapfile.h"
#include "window/illustrations.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

namespace pemtos::qt {
namespace {

// Screen readers present a picture box as a graphic, named after what it shows,
// rather than as the plain frame Qt would take it for.
QAccessibleInterface *accessibleGraphic(const QString &className, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (className != QLatin1String(PictureBox::staticMetaObject.className()) || widget == nullptr)
        return nullptr;
    return new QAccessibleWidget(widget, QAccessible::Graphic);
}

} // namespace

PictureBox::PictureBox(QWidget *parent) : QFrame(parent)
{
    static const bool accessibleAsGraphic = [] {
        QAccessible::installFactory(&accessibleGraphic);
        return true;
    }();
    Q_UNUSED(accessibleAsGraphic);
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
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

void PictureBox::drawSunkenPanel(QPainter &painter) const
{
    // The classic sunken panel: dark and light outer edges, shadow and midlight inner
    // ones, each an L of one-pixel lines, as the style draws it. Filled as rectangles
    // it is the same pixels for a fraction of the style's polylines.
    const QRect frame = frameRect();
    const int x = frame.x();
    const int y = frame.y();
    const int w = frame.width();
    const int h = frame.height();
    if (w < 2 || h < 2)
        return;
    const QPalette &colours = palette();
    painter.fillRect(x, y, 1, h - 1, colours.color(QPalette::Dark));
    painter.fillRect(x, y, w - 1, 1, colours.color(QPalette::Dark));
    painter.fillRect(x, y + h - 1, w, 1, colours.color(QPalette::Light));
    painter.fillRect(x + w - 1, y, 1, h, colours.color(QPalette::Light));
    if (w > 4 && h > 4) {
        painter.fillRect(x + 1, y + 1, 1, h - 3, colours.color(QPalette::Shadow));
        painter.fillRect(x + 1, y + 1, w - 3, 1, colours.color(QPalette::Shadow));
        painter.fillRect(x + 1, y + h - 2, w - 2, 1, colours.color(QPalette::Midlight));
        painter.fillRect(x + w - 2, y + 1, 1, h - 2, colours.color(QPalette::Midlight));
    }
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
        drawSunkenPanel(painter);
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
