#include "platform/controlhost/picturestrip.h"

#include <QTest>

namespace {

// A picture whose every cell is filled with a colour made from its column and row.
QImage grid(int columns, int rows, QSize cell)
{
    QImage picture(columns * cell.width(), rows * cell.height(), QImage::Format_RGB32);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column)
            for (int y = 0; y < cell.height(); ++y)
                for (int x = 0; x < cell.width(); ++x)
                    picture.setPixel(column * cell.width() + x, row * cell.height() + y,
                                     qRgb(column * 40, row * 40, 7));
    return picture;
}

} // namespace

class TestPictureStrip : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cellsAreNumberedRowByRow_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::newRow("one row, first") << 4 << 1 << 0 << 0 << 0;
        QTest::newRow("one row, last") << 4 << 1 << 3 << 3 << 0;
        QTest::newRow("one column, cell 5") << 1 << 12 << 5 << 0 << 5;
        QTest::newRow("grid, second row") << 3 << 2 << 4 << 1 << 1;
    }
    void cellsAreNumberedRowByRow()
    {
        QFETCH(int, columns);
        QFETCH(int, rows);
        QFETCH(int, n);
        QFETCH(int, column);
        QFETCH(int, row);
        const QSize cellSize(21, 16);
        const PictureStrip strip(grid(columns, rows, cellSize), columns, rows);
        QCOMPARE(strip.cellCount(), columns * rows);
        QCOMPARE(strip.cellSize(), cellSize);
        const QImage cell = strip.cell(n);
        QCOMPARE(cell.size(), cellSize);
        QCOMPARE(cell.pixel(0, 0), qRgb(column * 40, row * 40, 7));
        QCOMPARE(cell.pixel(cellSize.width() - 1, cellSize.height() - 1), qRgb(column * 40, row * 40, 7));
    }

    void cellOutsideTheStripIsNull_data()
    {
        QTest::addColumn<int>("n");
        QTest::newRow("negative") << -1;
        QTest::newRow("one past the end") << 4;
    }
    void cellOutsideTheStripIsNull()
    {
        QFETCH(int, n);
        const PictureStrip strip(grid(4, 1, QSize(21, 21)), 4, 1);
        QVERIFY(strip.cell(n).isNull());
    }

    void emptyStripHasNoCells()
    {
        const PictureStrip strip;
        QCOMPARE(strip.cellCount(), 0);
        QVERIFY(strip.cell(0).isNull());
        const PictureStrip nullPicture(QImage(), 4, 1);
        QCOMPARE(nullPicture.cellCount(), 0);
    }
};

QTEST_MAIN(TestPictureStrip)
#include "tst_picturestrip.moc"
