#include "skin/skinstrip.h"

#include "platform/controlhost/devicepixels.h"

#include <QPainter>

SkinStrip::SkinStrip(const QColor &background, QWidget *parent)
    : QWidget(parent)
    , m_background(background)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage SkinStrip::blankDrawing() const
{
    QImage drawing(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    drawing.fill(m_background);
    return drawing;
}

void SkinStrip::setDrawing(const QImage &drawing)
{
    m_drawing = drawing;
    update();
}

void SkinStrip::paintStretched(const QImage &picture)
{
    QImage drawing = blankDrawing();
    {
        // A plain stretch: each pixel takes its nearest source pixel, so the
        // border lines keep their exact colours.
        QPainter painter(&drawing);
        painter.drawImage(QRect(QPoint(0, 0), size()), picture);
    }
    setDrawing(drawing);
}

void SkinStrip::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_background);
    // On a scaled screen in whole device pixels, as wide on the right as on the left.
    DevicePixels::paint(painter, m_drawing, size());
}
