#include "platform/controlhost/picturestrip.h"

PictureStrip::PictureStrip(const QImage &picture, int columns, int rows)
    : m_picture(picture)
    , m_columns(columns > 0 && !picture.isNull() ? columns : 0)
    , m_rows(rows > 0 && !picture.isNull() ? rows : 0)
{
    if (m_columns > 0 && m_rows > 0)
        m_cellSize = QSize(picture.width() / m_columns, picture.height() / m_rows);
}

QImage PictureStrip::cell(int n) const
{
    if (n < 0 || n >= cellCount())
        return QImage();
    const int column = n % m_columns;
    const int row = n / m_columns;
    return m_picture.copy(QRect(QPoint(column * m_cellSize.width(), row * m_cellSize.height()), m_cellSize));
}
