#pragma once

#include <QImage>
#include <QSize>

// A picture divided into a grid of equal cells, numbered row by row from 0.
// A control shows one cell at a time.
class PictureStrip
{
public:
    PictureStrip() = default;
    PictureStrip(const QImage &picture, int columns, int rows);

    int cellCount() const { return m_columns * m_rows; }
    QSize cellSize() const { return m_cellSize; }
    // A null image for a cell the strip does not have.
    QImage cell(int n) const;
    const QImage &picture() const { return m_picture; }

private:
    QImage m_picture;
    int m_columns = 0;
    int m_rows = 0;
    QSize m_cellSize;
};
