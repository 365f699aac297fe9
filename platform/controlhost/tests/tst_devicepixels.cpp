#include "platform/controlhost/devicepixels.h"

#include <QTest>

namespace {

// A picture whose every column, and every row, has a colour of its own.
QImage numbered(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x, y, 0));
    return image;
}

// How many device pixels each of the picture's pixels became along one direction.
QList<int> runs(const QImage &device, bool columns, int logical)
{
    QList<int> counts(logical, 0);
    const int extent = columns ? device.width() : device.height();
    int previous = -1;
    for (int d = 0; d < extent; ++d) {
        const QRgb p = columns ? device.pixel(d, 0) : device.pixel(0, d);
        const int source = columns ? qRed(p) : qGreen(p);
        // Whole device pixels, in order: no pixel comes back after another.
        if (source != previous && counts.at(source) != 0)
            return {};
        counts[source] += 1;
        previous = source;
    }
    return counts;
}

} // namespace

class TestDevicePixels : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyPixelBecomesWholeDevicePixelsTheSameOnBothSides_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("button at 2") << 73 << 25 << 2.0;
        QTest::newRow("button at 1.5") << 73 << 25 << 1.5;
        QTest::newRow("box at 1.5") << 16 << 16 << 1.5;
        QTest::newRow("odd at 1.25") << 21 << 13 << 1.25;
        QTest::newRow("at 3") << 5 << 7 << 3.0;
    }
    void everyPixelBecomesWholeDevicePixelsTheSameOnBothSides()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(qreal, ratio);
        const QImage device = DevicePixels::scaled(numbered(width, height), ratio);
        QCOMPARE(device.devicePixelRatio(), ratio);
        QCOMPARE(device.size(), QSize(qRound(width * ratio), qRound(height * ratio)));
        for (const bool columns : {true, false}) {
            const int logical = columns ? width : height;
            const QList<int> counts = runs(device, columns, logical);
            QCOMPARE(counts.size(), logical);
            for (int i = 0; i < logical; ++i) {
                QVERIFY2(counts.at(i) >= 1, qPrintable(QString::number(i)));
                // Never more than the ratio rounded up.
                QVERIFY(counts.at(i) <= int(std::ceil(ratio)));
            }
            // The outer lines alike on both sides; only the middle may differ.
            for (int i = 0; i < logical / 2 - 1; ++i)
                QCOMPARE(counts.at(i), counts.at(logical - 1 - i));
        }
    }

    void atRatioOneThePictureIsUnchanged()
    {
        const QImage picture = numbered(30, 20);
        QCOMPARE(DevicePixels::scaled(picture, 1.0), picture);
        QCOMPARE(DevicePixels::extent(30, 1.0), 30);
    }
};

QTEST_APPLESS_MAIN(TestDevicePixels)
#include "tst_devicepixels.moc"
