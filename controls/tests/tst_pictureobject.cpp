#include "controls/pictureobject.h"

#include <QTest>

class TestPictureObject : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pixelSizeSurvivesHiMetric_data()
    {
        QTest::addColumn<int>("pixels");
        QTest::addColumn<int>("hiMetric");
        // 2540 HiMetric units to the inch, 96 pixels to the inch.
        QTest::newRow("16") << 16 << 423;
        QTest::newRow("23") << 23 << 609;
        QTest::newRow("32") << 32 << 847;
        QTest::newRow("1") << 1 << 26;
        QTest::newRow("0") << 0 << 0;
    }
    void pixelSizeSurvivesHiMetric()
    {
        QFETCH(int, pixels);
        QFETCH(int, hiMetric);
        QImage image(pixels, pixels + 1, QImage::Format_RGB32);
        image.fill(Qt::red);
        const PictureObject picture = PictureObject::bitmap(image);
        if (pixels > 0)
            QCOMPARE(picture.hiMetricSize().width(), hiMetric);
        QCOMPARE(PictureObject::hiMetricFromPixels(pixels), hiMetric);
        QCOMPARE(PictureObject::pixelsFromHiMetric(hiMetric), pixels);
    }

    void keyedBitmapLaysTheArtOnTheKey()
    {
        QImage art(4, 1, QImage::Format_ARGB32);
        art.setPixel(0, 0, qRgba(0, 0, 0, 0));         // clear
        art.setPixel(1, 0, qRgba(200, 0, 0, 255));     // opaque
        art.setPixel(2, 0, qRgba(0, 0, 200, 255));     // opaque
        art.setPixel(3, 0, qRgba(100, 100, 100, 128)); // half covered (unpremultiplied)
        const QRgb key = qRgb(0, 255, 0);
        const PictureObject picture = PictureObject::keyedBitmap(art, key);
        QCOMPARE(picture.kind(), PictureObject::Kind::Bitmap);
        QCOMPARE(picture.image().pixel(0, 0), key);
        QCOMPARE(picture.image().pixel(1, 0), qRgb(200, 0, 0));
        QCOMPARE(picture.image().pixel(2, 0), qRgb(0, 0, 200));
        // Half the art's grey, half the key's green.
        QCOMPARE(picture.image().pixel(3, 0), qRgb(50, 177, 50));
    }

    void iconKeepsItsTransparency()
    {
        QImage art(2, 1, QImage::Format_ARGB32);
        art.setPixel(0, 0, qRgba(0, 0, 0, 0));
        art.setPixel(1, 0, qRgba(10, 20, 30, 255));
        const PictureObject picture = PictureObject::icon(art);
        QCOMPARE(picture.kind(), PictureObject::Kind::Icon);
        QCOMPARE(qAlpha(picture.image().pixel(0, 0)), 0);
        QCOMPARE(picture.image().pixel(1, 0), qRgba(10, 20, 30, 255));
    }

    void noImageIsNoPicture()
    {
        QVERIFY(PictureObject::bitmap(QImage()).isNone());
        QVERIFY(PictureObject::icon(QImage()).isNone());
        QVERIFY(PictureObject().isNone());
        QCOMPARE(PictureObject::bitmap(QImage()), PictureObject());
    }
};

QTEST_MAIN(TestPictureObject)
#include "tst_pictureobject.moc"
