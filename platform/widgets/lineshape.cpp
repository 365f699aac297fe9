#include "platform/widgets/lineshape.h"

#include "platform/twips.h"

#include <QPainter>

LineShape::LineShape(const QColor &colour, int penWidth, QWidget *parent)
    : QWidget(parent)
    , m_colour(colour)
    , m_pen(penWidth)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineShape::setLineTwips(int x1, int y1, int x2, int y2)
{
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    const QPoint a(Twips::toPixels(x1), Twips::toPixels(y1));
    const QPoint b(Twips::toPixels(x2), Twips::toPixels(y2));
    const int half = (m_pen + 1) / 2;
    setGeometry(QRect(a, b).normalized().adjusted(-half, -half, half, half));
    update();
}

void LineShape::paintEvent(QPaintEvent *)
{
    if (m_x1 == m_x2 && m_y1 == m_y2)
        return;
    QPainter painter(this);
    painter.setPen(QPen(m_colour, m_pen, Qt::SolidLine, Qt::FlatCap));
    const QPoint origin = geometry().topLeft();
    painter.drawLine(QPoint(Twips::toPixels(m_x1), Twips::toPixels(m_y1)) - origin,
                     QPoint(Twips::toPixels(m_x2), Twips::toPixels(m_y2)) - origin);
}
