#include "controls/familyartwork.h"

#include <QTest>

namespace {

QColor boxPixel(int cell, int x, int y)
{
    return FamilyArtwork::checkBoxStrip().pixelColor(x, FamilyArtwork::boxSide * cell + y);
}

const QColor kFrame(31, 80, 128);
const QColor kDisabledInk(207, 207, 191);
const QColor kGreen(32, 160, 32);

} // namespace

class TestFamilyArtwork : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void checkBoxStripHoldsTwelveCellsInOneColumn() { QCOMPARE(FamilyArtwork::checkBoxStrip().size(), QSize(16, 192)); }

    // The frame and the graded interiors, at the corners of each look.
    void boxCellPixels_data()
    {
        QTest::addColumn<int>("cell");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QColor>("colour");
        for (int value = 0; value < 3; ++value) {
            const QByteArray v = QByteArray::number(value);
            QTest::newRow("frame, normal " + v) << 4 * value << QPoint(0, 0) << kFrame;
            QTest::newRow("frame, hover " + v) << 4 * value + 1 << QPoint(15, 7) << kFrame;
            QTest::newRow("frame, pressed " + v) << 4 * value + 2 << QPoint(7, 15) << kFrame;
            QTest::newRow("frame, disabled " + v) << 4 * value + 3 << QPoint(15, 15) << kDisabledInk;
            QTest::newRow("normal top left " + v) << 4 * value << QPoint(1, 1) << QColor(223, 223, 208);
            QTest::newRow("normal bottom right " + v) << 4 * value << QPoint(14, 14) << QColor(255, 255, 255);
            QTest::newRow("hover ring top left " + v) << 4 * value + 1 << QPoint(1, 1) << QColor(255, 240, 207);
            QTest::newRow("hover ring bottom right " + v) << 4 * value + 1 << QPoint(14, 14) << QColor(255, 176, 48);
            QTest::newRow("hover ring, inner pixel " + v) << 4 * value + 1 << QPoint(2, 7) << QColor(255, 223, 164);
            QTest::newRow("hover square " + v) << 4 * value + 1 << QPoint(3, 3) << QColor(224, 224, 224);
            QTest::newRow("pressed top left " + v) << 4 * value + 2 << QPoint(1, 1) << QColor(176, 176, 160);
            QTest::newRow("pressed bottom right " + v) << 4 * value + 2 << QPoint(14, 14) << QColor(240, 239, 223);
            QTest::newRow("disabled interior " + v) << 4 * value + 3 << QPoint(1, 1) << QColor(255, 255, 255);
        }
        // The middle of the tick, and of the inner square.
        QTest::newRow("check mark, normal") << 4 << QPoint(7, 8) << kGreen;
        QTest::newRow("check mark, hover") << 5 << QPoint(7, 8) << kGreen;
        QTest::newRow("check mark, pressed") << 6 << QPoint(7, 8) << QColor(16, 112, 16);
        QTest::newRow("check mark, disabled") << 7 << QPoint(7, 8) << kDisabledInk;
        QTest::newRow("inner square, normal") << 8 << QPoint(7, 8) << QColor(160, 208, 160);
        QTest::newRow("inner square, hover") << 9 << QPoint(7, 8) << kGreen;
        QTest::newRow("inner square, pressed") << 10 << QPoint(7, 8) << QColor(16, 112, 16);
        QTest::newRow("inner square, disabled") << 11 << QPoint(7, 8) << kDisabledInk;
        QTest::newRow("no mark when unchecked") << 0 << QPoint(7, 8) << QColor(239, 239, 232);
    }
    void boxCellPixels()
    {
        QFETCH(int, cell);
        QFETCH(QPoint, at);
        QFETCH(QColor, colour);
        QCOMPARE(boxPixel(cell, at.x(), at.y()), colour);
    }

    // Halves go to the even neighbour.
    void diagonalShadeRoundsHalvesToEven_data()
    {
        QTest::addColumn<QRgb>("from");
        QTest::addColumn<QRgb>("to");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QRgb>("expected");
        // Three pixels along the diagonal of a 2 x 2 block: 0, 1 and 2 steps.
        QTest::newRow("start") << qRgb(0, 0, 0) << qRgb(3, 5, 10) << QPoint(0, 0) << qRgb(0, 0, 0);
        QTest::newRow("half way, 1.5 2.5 5") << qRgb(0, 0, 0) << qRgb(3, 5, 10) << QPoint(1, 0) << qRgb(2, 2, 5);
        QTest::newRow("end") << qRgb(0, 0, 0) << qRgb(3, 5, 10) << QPoint(1, 1) << qRgb(3, 5, 10);
        QTest::newRow("downwards, 8.5 to 8") << qRgb(10, 10, 10) << qRgb(7, 7, 7) << QPoint(0, 1) << qRgb(8, 8, 8);
    }
    void diagonalShadeRoundsHalvesToEven()
    {
        QFETCH(QRgb, from);
        QFETCH(QRgb, to);
        QFETCH(QPoint, at);
        QFETCH(QRgb, expected);
        QCOMPARE(QColor(FamilyArtwork::diagonalShade(from, to, at.x(), at.y(), 2, 2)), QColor(expected));
    }

    void radioPicturesAreRoundWithADotWhenSet_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QColor>("outline");
        QTest::addColumn<QColor>("dot"); // invalid: no dot
        QTest::newRow("clear, normal") << 0 << kFrame << QColor();
        QTest::newRow("clear, disabled") << 3 << kDisabledInk << QColor();
        QTest::newRow("set, normal") << 4 << kFrame << kGreen;
        QTest::newRow("set, hover") << 5 << kFrame << kGreen;
        QTest::newRow("set, pressed") << 6 << kFrame << QColor(16, 112, 16);
        QTest::newRow("set, disabled") << 7 << kDisabledInk << kDisabledInk;
    }
    void radioPicturesAreRoundWithADotWhenSet()
    {
        QFETCH(int, index);
        QFETCH(QColor, outline);
        QFETCH(QColor, dot);
        const QImage &picture = FamilyArtwork::radioPictures()[std::size_t(index)];
        QCOMPARE(picture.size(), QSize(13, 13));
        QCOMPARE(picture.pixelColor(6, 0), outline);
        QCOMPARE(picture.pixelColor(0, 6), outline);
        // Outside the circle the background shows.
        QCOMPARE(qAlpha(picture.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(picture.pixel(12, 12)), 0);
        if (dot.isValid())
            QCOMPARE(picture.pixelColor(6, 6), dot);
        else
            QVERIFY(picture.pixelColor(6, 6) != kGreen && picture.pixelColor(6, 6) != kDisabledInk);
    }

    void commandCells_data()
    {
        QTest::addColumn<int>("cell");
        QTest::addColumn<QColor>("outline");
        QTest::addColumn<QColor>("innerFrame"); // invalid: the face itself
        QTest::newRow("normal") << 0 << QColor(0, 60, 116) << QColor();
        QTest::newRow("pressed") << 1 << QColor(0, 60, 116) << QColor();
        QTest::newRow("disabled") << 2 << QColor(201, 199, 186) << QColor();
        QTest::newRow("hover: orange") << 3 << QColor(0, 60, 116) << QColor(253, 216, 137);
        QTest::newRow("default: blue") << 4 << QColor(0, 60, 116) << QColor(137, 173, 228);
    }
    void commandCells()
    {
        QFETCH(int, cell);
        QFETCH(QColor, outline);
        QFETCH(QColor, innerFrame);
        const QImage &strip = FamilyArtwork::commandStrip();
        QCOMPARE(strip.size(), QSize(90, 21));
        const int ox = 18 * cell;
        QCOMPARE(strip.pixelColor(ox + 9, 0), outline);
        QCOMPARE(strip.pixelColor(ox + 0, 10), outline);
        QCOMPARE(strip.pixelColor(ox + 17, 10), outline);
        QCOMPARE(strip.pixelColor(ox + 9, 20), outline);
        QCOMPARE(qAlpha(strip.pixel(ox, 0)), 0);
        QCOMPARE(qAlpha(strip.pixel(ox + 17, 20)), 0);
        const QColor side = strip.pixelColor(ox + 1, 10);
        if (innerFrame.isValid())
            QCOMPARE(side, innerFrame);
        else
            QCOMPARE(side, strip.pixelColor(ox + 9, 10));
        // The centre is graded from top to bottom only: each row is one colour.
        for (int y = 3; y < 18; ++y)
            for (int x = 3; x < 15; ++x)
                QCOMPARE(strip.pixel(ox + x, y), strip.pixel(ox + 3, y));
    }

    void groupFramePieces()
    {
        const QImage &pieces = FamilyArtwork::groupFramePieces();
        QCOMPARE(pieces.size(), QSize(22, 20));
        const QColor line(208, 208, 191);
        for (const QPoint p :
             {QPoint(10, 0), QPoint(10, 19), QPoint(0, 10), QPoint(21, 10), QPoint(1, 0), QPoint(0, 1)})
            QCOMPARE(pieces.pixelColor(p), line);
        // Rounded corners and an empty middle.
        for (const QPoint p : {QPoint(0, 0), QPoint(21, 0), QPoint(21, 19), QPoint(0, 19), QPoint(10, 10)})
            QCOMPARE(qAlpha(pieces.pixel(p)), 0);
    }
};

QTEST_MAIN(TestFamilyArtwork)
#include "tst_familyartwork.moc"
