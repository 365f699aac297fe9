#pragma once

#include <QColor>
#include <QWidget>

// A line drawn on its container, given in twips of the container like every
// other control of the window: from (x1, y1) to (x2, y2), with a pen width in pixels.
class LineShape : public QWidget
{
    Q_OBJECT
public:
    LineShape(const QColor &colour, int penWidth, QWidget *parent = nullptr);

    void setLineTwips(int x1, int y1, int x2, int y2);
    int x1Twips() const { return m_x1; }
    int y1Twips() const { return m_y1; }
    int x2Twips() const { return m_x2; }
    int y2Twips() const { return m_y2; }
    void setX2Twips(int x2) { setLineTwips(m_x1, m_y1, x2, m_y2); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_colour;
    int m_pen;
    int m_x1 = 0, m_y1 = 0, m_x2 = 0, m_y2 = 0;
};
