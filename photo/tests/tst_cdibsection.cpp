#include "photo/cdibsection.h"
#include "photo/gdibitmap.h"
#include "photo/gdicontext.h"
#include "platform/testsupport/fakedialogs.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QtTest>

#include <cstring>

namespace {

// A picture whose every pixel differs from its neighbours.
QImage patterned(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(10 + 20 * x, 15 + 30 * y, (7 * x + 11 * y) % 256));
    return image;
}

const uint8_t *memoryRow(const cDIBSection &dib, int row)
{
    return dib.DIBSectionBitsPtr() + qint64(row) * dib.BytesPerScanLine();
}

} // namespace

class TestDibSection : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bytesPerScanLine_data();
    void bytesPerScanLine();
    void clearUpOnEmptyBufferKeepsSize();
    void clearUpReleasesTheSection();
    void createRefusesEmptySize_data();
    void createRefusesEmptySize();
    void createFromPictureStoresBottomUpBgr();
    void createFromNullPictureLeavesBufferEmpty();
    void createFromTransparentPictureUsesWhite();
    void paintPictureCopiesBack();
    void rasterOperationsCombineBytes_data();
    void rasterOperationsCombineBytes();
    void resampleToSameSizeIsExactCopy();
    void resampleThreeByThreeToTwoByTwoSamplesOldPixels();
    void resampleRoundsHalvesToEven();
    void resampleOfTooSmallPictureReturnsNothing_data();
    void resampleOfTooSmallPictureReturnsNothing();
    void resampleToEmptySizeReturnsNothing();
    void randomiseColourLeavesBlueZero();
    void randomiseGreyWritesEqualBytes();
    void copyToClipboardPutsThePicture();
    void copyToClipboardAsDibRefuses_data();
    void copyToClipboardAsDibRefuses();
};

void TestDibSection::bytesPerScanLine_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("expected");
    QTest::newRow("5 pixels") << 5 << 16;
    QTest::newRow("4 pixels") << 4 << 12;
    QTest::newRow("1 pixel") << 1 << 4;
    QTest::newRow("2 pixels") << 2 << 8;
}

void TestDibSection::bytesPerScanLine()
{
    QFETCH(int, width);
    QFETCH(int, expected);
    cDIBSection dib;
    QVERIFY(dib.Create(width, 3));
    QCOMPARE(dib.BytesPerScanLine(), expected);
    QCOMPARE(dib.header().biSizeImage, uint32_t(expected * 3));
    QCOMPARE(dib.header().biBitCount, uint16_t(24));
    QCOMPARE(dib.header().biSize, uint32_t(40));
}

void TestDibSection::clearUpOnEmptyBufferKeepsSize()
{
    cDIBSection dib;
    QVERIFY(dib.Create(7, 5));
    dib.ClearUp();
    dib.ClearUp();
    QCOMPARE(dib.Width(), 7);
    QCOMPARE(dib.Height(), 5);
    QVERIFY(!dib.DIBSectionBitsPtr());

    cDIBSection fresh;
    fresh.ClearUp();
    QCOMPARE(fresh.Width(), 0);
    QCOMPARE(fresh.Height(), 0);
}

void TestDibSection::clearUpReleasesTheSection()
{
    cDIBSection dib;
    QVERIFY(dib.Create(3, 2));
    QVERIFY(dib.hdc());
    QCOMPARE(dib.hdc()->bitmap(), dib.hDib());
    dib.ClearUp();
    QVERIFY(!dib.hdc());
    QVERIFY(!dib.hDib());
}

void TestDibSection::createRefusesEmptySize_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("no width") << 0 << 4;
    QTest::newRow("no height") << 4 << 0;
    QTest::newRow("negative") << -3 << 4;
    QTest::newRow("beyond 32 bits") << 100000 << 100000;
}

void TestDibSection::createRefusesEmptySize()
{
    QFETCH(int, width);
    QFETCH(int, height);
    cDIBSection dib;
    QVERIFY(!dib.Create(width, height));
    QVERIFY(!dib.DIBSectionBitsPtr());
    QVERIFY(!dib.hdc());
}

void TestDibSection::createFromPictureStoresBottomUpBgr()
{
    const QImage picture = patterned(5, 3);
    cDIBSection dib;
    dib.CreateFromPicture(picture);
    QCOMPARE(dib.Width(), 5);
    QCOMPARE(dib.Height(), 3);
    for (int row = 0; row < 3; ++row) {
        const uint8_t *bytes = memoryRow(dib, row);
        for (int x = 0; x < 5; ++x) {
            const QRgb expected = picture.pixel(x, 2 - row);
            QCOMPARE(int(bytes[3 * x]), qBlue(expected));
            QCOMPARE(int(bytes[3 * x + 1]), qGreen(expected));
            QCOMPARE(int(bytes[3 * x + 2]), qRed(expected));
        }
        QCOMPARE(int(bytes[15]), 0); // the filler byte
    }
}

void TestDibSection::createFromNullPictureLeavesBufferEmpty()
{
    cDIBSection dib;
    dib.CreateFromPicture(QImage());
    QVERIFY(!dib.DIBSectionBitsPtr());
    QVERIFY(!dib.hdc());
}

void TestDibSection::createFromTransparentPictureUsesWhite()
{
    QImage picture(2, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgba(0, 0, 0, 0));
    picture.setPixel(1, 0, qRgba(200, 100, 50, 255));
    cDIBSection dib;
    dib.CreateFromPicture(picture);
    const uint8_t *bytes = memoryRow(dib, 0);
    QCOMPARE(QList<int>({bytes[0], bytes[1], bytes[2]}), QList<int>({255, 255, 255}));
    QCOMPARE(QList<int>({bytes[3], bytes[4], bytes[5]}), QList<int>({50, 100, 200}));
}

void TestDibSection::paintPictureCopiesBack()
{
    const QImage picture = patterned(6, 4);
    cDIBSection dib;
    dib.CreateFromPicture(picture);
    auto target = GdiBitmap::createCompatible(6, 4);
    GdiContext context;
    GdiBitmap *old = context.select(target.get());
    dib.PaintPicture(&context);
    context.select(old);
    QCOMPARE(target->toImage().convertToFormat(QImage::Format_RGB32), picture);
}

void TestDibSection::rasterOperationsCombineBytes_data()
{
    QTest::addColumn<RasterOp>("rop");
    QTest::addColumn<int>("source");
    QTest::addColumn<int>("dest");
    QTest::addColumn<int>("expected");
    QTest::newRow("copy") << RasterOp::SrcCopy << 0x5A << 0x0F << 0x5A;
    QTest::newRow("paint") << RasterOp::SrcPaint << 0x50 << 0x0F << 0x5F;
    QTest::newRow("and") << RasterOp::SrcAnd << 0x5A << 0x0F << 0x0A;
    QTest::newRow("invert") << RasterOp::SrcInvert << 0x5A << 0x0F << 0x55;
    QTest::newRow("erase") << RasterOp::SrcErase << 0x5A << 0x0F << 0x50;
    QTest::newRow("not copy") << RasterOp::NotSrcCopy << 0x5A << 0x0F << 0xA5;
    QTest::newRow("not erase") << RasterOp::NotSrcErase << 0x50 << 0x0F << 0xA0;
    QTest::newRow("dest invert") << RasterOp::DstInvert << 0x5A << 0x0F << 0xF0;
    QTest::newRow("blackness") << RasterOp::Blackness << 0x5A << 0x0F << 0x00;
    QTest::newRow("whiteness") << RasterOp::Whiteness << 0x5A << 0x0F << 0xFF;
}

void TestDibSection::rasterOperationsCombineBytes()
{
    QFETCH(RasterOp, rop);
    QFETCH(int, source);
    QFETCH(int, dest);
    QFETCH(int, expected);
    cDIBSection from, to;
    QVERIFY(from.Create(2, 2));
    QVERIFY(to.Create(2, 2));
    std::memset(from.DIBSectionBitsPtr(), source, size_t(from.header().biSizeImage));
    std::memset(to.DIBSectionBitsPtr(), dest, size_t(to.header().biSizeImage));
    to.LoadPictureBlt(from.hdc(), 0, 0, -1, -1, rop);
    for (int row = 0; row < 2; ++row)
        for (int b = 0; b < 6; ++b)
            QCOMPARE(int(memoryRow(to, row)[b]), expected);
}

void TestDibSection::resampleToSameSizeIsExactCopy()
{
    cDIBSection dib;
    QVERIFY(dib.Create(7, 5));
    dib.RandomiseBits(true);
    const auto copy = dib.Resample(5, 7);
    QVERIFY(copy);
    QCOMPARE(copy->Width(), 7);
    QCOMPARE(copy->Height(), 5);
    for (int row = 0; row < 5; ++row)
        QVERIFY(std::memcmp(memoryRow(dib, row), memoryRow(*copy, row), 7 * 3) == 0);
}

void TestDibSection::resampleThreeByThreeToTwoByTwoSamplesOldPixels()
{
    cDIBSection dib;
    QVERIFY(dib.Create(3, 3));
    dib.RandomiseBits(false);
    const auto small = dib.Resample(2, 2);
    QVERIFY(small);
    QCOMPARE(small->Width(), 2);
    QCOMPARE(small->Height(), 2);
    // The step is (3 - 1) / 2 = 1: new pixel (x, y) falls on old pixel (x, y).
    for (int row = 0; row < 2; ++row)
        QVERIFY(std::memcmp(memoryRow(dib, row), memoryRow(*small, row), 2 * 3) == 0);
}

void TestDibSection::resampleRoundsHalvesToEven()
{
    cDIBSection dib;
    QVERIFY(dib.Create(2, 2));
    uint8_t *row0 = dib.DIBSectionBitsPtr();
    // Pixel 0 and pixel 1 of the first row: blue 1 → 2, green 2 → 3, red 10 → 20.
    const uint8_t values[6] = {1, 2, 10, 2, 3, 20};
    std::memcpy(row0, values, 6);
    // One new row, two new columns: x-step 0.5, so new pixel 1 lies halfway.
    const auto wide = dib.Resample(1, 2);
    QVERIFY(wide);
    const uint8_t *d = memoryRow(*wide, 0);
    QCOMPARE(QList<int>({d[0], d[1], d[2]}), QList<int>({1, 2, 10}));
    // 1.5 → 2 and 2.5 → 2 (halves go to the even neighbour), 15 stays 15.
    QCOMPARE(QList<int>({d[3], d[4], d[5]}), QList<int>({2, 2, 15}));
}

void TestDibSection::resampleOfTooSmallPictureReturnsNothing_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("1 × 1") << 1 << 1;
    QTest::newRow("1 × 5") << 1 << 5;
    QTest::newRow("5 × 1") << 5 << 1;
}

void TestDibSection::resampleOfTooSmallPictureReturnsNothing()
{
    QFETCH(int, width);
    QFETCH(int, height);
    cDIBSection dib;
    QVERIFY(dib.Create(width, height));
    QVERIFY(!dib.Resample(4, 4));
    QVERIFY(!dib.Resample(height, width));
}

void TestDibSection::resampleToEmptySizeReturnsNothing()
{
    cDIBSection dib;
    QVERIFY(dib.Create(4, 4));
    QVERIFY(!dib.Resample(0, 3));
    cDIBSection empty;
    QVERIFY(!empty.Resample(2, 2));
}

void TestDibSection::randomiseColourLeavesBlueZero()
{
    cDIBSection dib;
    QVERIFY(dib.Create(5, 9));
    std::memset(dib.DIBSectionBitsPtr(), 0xFF, size_t(dib.header().biSizeImage));
    dib.RandomiseBits(false);
    for (int row = 0; row < 9; ++row) {
        const uint8_t *bytes = memoryRow(dib, row);
        for (int x = 0; x < 5; ++x)
            QCOMPARE(int(bytes[3 * x]), 0);
        QCOMPARE(int(bytes[15]), 0xFF); // the filler is not written
    }
}

void TestDibSection::randomiseGreyWritesEqualBytes()
{
    cDIBSection dib;
    QVERIFY(dib.Create(6, 4));
    dib.RandomiseBits(true);
    for (int row = 0; row < 4; ++row) {
        const uint8_t *bytes = memoryRow(dib, row);
        for (int x = 0; x < 6; ++x) {
            QCOMPARE(bytes[3 * x + 1], bytes[3 * x]);
            QCOMPARE(bytes[3 * x + 2], bytes[3 * x]);
        }
    }
}

void TestDibSection::copyToClipboardPutsThePicture()
{
    const QImage picture = patterned(5, 3);
    cDIBSection dib;
    dib.CreateFromPicture(picture);
    QVERIFY(dib.CopyToClipboard(false));
    QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), picture);
}

void TestDibSection::copyToClipboardAsDibRefuses_data()
{
    QTest::addColumn<bool>("filled");
    QTest::newRow("a picture") << true;
    QTest::newRow("an empty buffer") << false;
}

void TestDibSection::copyToClipboardAsDibRefuses()
{
    QFETCH(bool, filled);
    FakeDialogs dialogs;
    QGuiApplication::clipboard()->clear();
    cDIBSection dib(dialogs);
    if (filled)
        dib.CreateFromPicture(patterned(2, 2));
    QVERIFY(!dib.CopyToClipboard(true));
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages.first().text,
             QStringLiteral("I don't know how to put a DIB on the clipboard! Copy as bitmap instead!!!"));
    QVERIFY(QGuiApplication::clipboard()->image().isNull());
}

QTEST_MAIN(TestDibSection)
#include "tst_cdibsection.moc"
