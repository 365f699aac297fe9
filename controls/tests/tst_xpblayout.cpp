#include "controls/xpblayout.h"

#include <QTest>

namespace {

// Rectangles as left, top, width, height.
QRect at(int left, int top, int width, int height)
{
    return QRect(QPoint(left, top), QSize(width, height));
}

} // namespace

class TestXpBLayout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void layout_data()
    {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QSize>("caption"); // empty: no caption
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<bool>("hasPicture");
        QTest::addColumn<int>("position");
        QTest::addColumn<QRect>("previousPicture");
        QTest::addColumn<QRect>("expectedPicture");
        QTest::addColumn<QRect>("expectedCaption");

        // 4 + (17 - 16) / 2 = 4.5 and 4 + (15 - 16) / 2 = 3.5 both round to 4.
        QTest::newRow("toolbar button, 16 x 16")
            << QSize(25, 23) << QSize() << QSize(16, 16) << true << 0 << QRect() << at(4, 4, 16, 16) << QRect();
        QTest::newRow("halves go to the even neighbour")
            << QSize(27, 23) << QSize() << QSize(16, 16) << true << 0 << QRect() << at(6, 4, 16, 16) << QRect();
        QTest::newRow("browser back: 23 x 23 overhangs a 43 x 17 button")
            << QSize(43, 17) << QSize() << QSize(23, 23) << true << 0 << QRect() << at(10, -3, 23, 23) << QRect();
        QTest::newRow("search icon: round(12.5) and round(0.5)")
            << QSize(57, 33) << QSize() << QSize(32, 32) << true << 0 << QRect() << at(12, 0, 32, 32) << QRect();
        QTest::newRow("no caption, no picture: placed all the same")
            << QSize(25, 23) << QSize() << QSize(32, 32) << false << 1 << at(1, 1, 1, 1) << at(-4, -4, 32, 32)
            << QRect();
        QTest::newRow("picture above") << QSize(60, 60) << QSize(30, 10) << QSize(16, 16) << true << 0 << QRect()
                                       << at(22, 15, 16, 16) << at(15, 35, 30, 10);
        QTest::newRow("32 x 32 icon left of a caption overhangs the top")
            << QSize(113, 33) << QSize(60, 13) << QSize(32, 32) << true << 1 << QRect() << at(8, 0, 32, 32)
            << at(44, 10, 60, 13);
        QTest::newRow("picture right of the caption") << QSize(153, 33) << QSize(101, 13) << QSize(16, 16) << true << 2
                                                      << QRect() << at(121, 8, 16, 16) << at(16, 10, 101, 13);
        QTest::newRow("picture below") << QSize(60, 60) << QSize(30, 11) << QSize(16, 16) << true << 3 << QRect()
                                       << at(22, 29, 16, 16) << at(15, 14, 30, 11);
        QTest::newRow("position 5 on the first layout: picture at nothing")
            << QSize(60, 30) << QSize(20, 10) << QSize(16, 16) << true << 5 << QRect() << QRect() << at(20, 10, 20, 10);
        QTest::newRow("position 5 keeps the last place") << QSize(60, 30) << QSize(20, 10) << QSize(16, 16) << true << 5
                                                         << at(7, 8, 16, 16) << at(7, 8, 16, 16) << at(20, 10, 20, 10);
        QTest::newRow("caption alone is centred") << QSize(60, 30) << QSize(21, 9) << QSize(16, 16) << false << 1
                                                  << at(7, 8, 16, 16) << at(7, 8, 16, 16) << at(20, 10, 21, 9);
    }
    void layout()
    {
        QFETCH(QSize, client);
        QFETCH(QSize, caption);
        QFETCH(QSize, picture);
        QFETCH(bool, hasPicture);
        QFETCH(int, position);
        QFETCH(QRect, previousPicture);
        QFETCH(QRect, expectedPicture);
        QFETCH(QRect, expectedCaption);

        XpBLayout::Input in;
        in.client = client;
        in.hasCaption = caption.isValid();
        in.captionSize = caption;
        in.hasPicture = hasPicture;
        in.pictureSize = picture;
        in.picturePosition = position;
        in.previousPicture = previousPicture;
        const XpBLayout::Result r = XpBLayout::compute(in);
        QCOMPARE(r.inner, at(4, 4, client.width() - 8, client.height() - 8));
        QCOMPARE(r.picture, expectedPicture);
        QCOMPARE(r.caption, expectedCaption);
    }
};

QTEST_APPLESS_MAIN(TestXpBLayout)
#include "tst_xpblayout.moc"
