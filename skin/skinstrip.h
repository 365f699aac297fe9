#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

// A strip of the frame that keeps what was painted on it. The frame paints it
// during its layout pass; a repaint only copies the kept drawing.
class SkinStrip : public QWidget
{
    Q_OBJECT
public:
    explicit SkinStrip(const QColor &background, QWidget *parent = nullptr);

    // A drawing of the strip's current size, cleared to its background.
    QImage blankDrawing() const;
    void setDrawing(const QImage &drawing);
    const QImage &drawing() const { return m_drawing; }
    // Paints the whole picture stretched over the whole strip.
    void paintStretched(const QImage &picture);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_background;
    QImage m_drawing;
};
