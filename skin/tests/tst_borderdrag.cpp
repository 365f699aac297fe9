#include "skin/borderdrag.h"

#include <QTest>

#include <climits>

Q_DECLARE_METATYPE(BorderDrag::Edge)

namespace {
// Two screens side by side, the taller 1200 pixels high.
constexpr QSize kScreens(3200, 1200);
} // namespace

class TestBorderDrag : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void releaseChangesTheWindowOnce_data()
    {
        QTest::addColumn<BorderDrag::Edge>("edge");
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QPoint>("release");
        QTest::addColumn<QRect>("expected");
        const QRect start(100, 50, 300, 200);
        QTest::newRow("right +40") << BorderDrag::Right << QPoint(398, 120) << QPoint(438, 120)
                                   << QRect(100, 50, 340, 200);
        QTest::newRow("right -60") << BorderDrag::Right << QPoint(398, 120) << QPoint(338, 90)
                                   << QRect(100, 50, 240, 200);
        QTest::newRow("left +20") << BorderDrag::Left << QPoint(102, 120) << QPoint(122, 120)
                                  << QRect(120, 50, 280, 200);
        QTest::newRow("left -35") << BorderDrag::Left << QPoint(102, 120) << QPoint(67, 300) << QRect(65, 50, 335, 200);
        QTest::newRow("bottom +30") << BorderDrag::Bottom << QPoint(200, 248) << QPoint(200, 278)
                                    << QRect(100, 50, 300, 230);
        QTest::newRow("bottom -50, sideways ignored")
            << BorderDrag::Bottom << QPoint(200, 248) << QPoint(10, 198) << QRect(100, 50, 300, 150);
        QTest::newRow("right, up and down ignored")
            << BorderDrag::Right << QPoint(398, 120) << QPoint(408, 500) << QRect(100, 50, 310, 200);
        QTest::newRow("no movement") << BorderDrag::Bottom << QPoint(200, 248) << QPoint(200, 248) << start;
    }
    void releaseChangesTheWindowOnce()
    {
        QFETCH(BorderDrag::Edge, edge);
        QFETCH(QPoint, press);
        QFETCH(QPoint, release);
        QFETCH(QRect, expected);
        const auto result =
            BorderDrag::resized(QRect(100, 50, 300, 200), press, release, edge, QSize(80, 34), kScreens);
        QVERIFY(result.has_value());
        QCOMPARE(*result, expected);
    }

    void tooSmallOrInvertedWindowIsRefused_data()
    {
        QTest::addColumn<BorderDrag::Edge>("edge");
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QPoint>("release");
        QTest::newRow("bottom dragged above the top") << BorderDrag::Bottom << QPoint(200, 248) << QPoint(200, 40);
        QTest::newRow("bottom to zero height") << BorderDrag::Bottom << QPoint(200, 248) << QPoint(200, 48);
        QTest::newRow("bottom one pixel under the strips") << BorderDrag::Bottom << QPoint(200, 248) << QPoint(200, 81);
        QTest::newRow("left past the right edge") << BorderDrag::Left << QPoint(102, 120) << QPoint(500, 120);
        QTest::newRow("left one pixel under the caption") << BorderDrag::Left << QPoint(102, 120) << QPoint(323, 120);
        QTest::newRow("right past the left edge") << BorderDrag::Right << QPoint(398, 120) << QPoint(0, 120);
        QTest::newRow("press and release far apart") << BorderDrag::Right << QPoint(INT_MAX, 0) << QPoint(INT_MIN, 0);
    }
    void tooSmallOrInvertedWindowIsRefused()
    {
        QFETCH(BorderDrag::Edge, edge);
        QFETCH(QPoint, press);
        QFETCH(QPoint, release);
        QVERIFY(
            !BorderDrag::resized(QRect(100, 50, 300, 200), press, release, edge, QSize(80, 34), kScreens).has_value());
    }

    void smallestAllowedWindowIsAccepted_data()
    {
        QTest::addColumn<BorderDrag::Edge>("edge");
        QTest::addColumn<QPoint>("release");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("bottom") << BorderDrag::Bottom << QPoint(0, -166) << QRect(100, 50, 300, 34);
        QTest::newRow("left") << BorderDrag::Left << QPoint(220, 0) << QRect(320, 50, 80, 200);
        QTest::newRow("right") << BorderDrag::Right << QPoint(-220, 0) << QRect(100, 50, 80, 200);
    }
    void smallestAllowedWindowIsAccepted()
    {
        QFETCH(BorderDrag::Edge, edge);
        QFETCH(QPoint, release);
        QFETCH(QRect, expected);
        const auto result =
            BorderDrag::resized(QRect(100, 50, 300, 200), QPoint(0, 0), release, edge, QSize(80, 34), kScreens);
        QVERIFY(result.has_value());
        QCOMPARE(*result, expected);
    }

    // However far the edges are dragged out, the window stops at the
    // screens' size, and the edge not dragged stays put. A window already
    // larger than the screens may shrink, but not grow.
    void growthStopsAtTheScreens_data()
    {
        QTest::addColumn<QRect>("start");
        QTest::addColumn<BorderDrag::Edge>("edge");
        QTest::addColumn<QPoint>("release");
        QTest::addColumn<QRect>("expected");
        const QRect window(100, 50, 300, 200);
        QTest::newRow("right, far") << window << BorderDrag::Right << QPoint(5000, 0) << QRect(100, 50, 3200, 200);
        QTest::newRow("right, to the limit")
            << window << BorderDrag::Right << QPoint(2900, 0) << QRect(100, 50, 3200, 200);
        QTest::newRow("right, wider than any window")
            << window << BorderDrag::Right << QPoint(INT_MAX, 0) << QRect(100, 50, 3200, 200);
        QTest::newRow("left, far") << window << BorderDrag::Left << QPoint(-9000, 0) << QRect(-2800, 50, 3200, 200);
        QTest::newRow("left, the farthest")
            << window << BorderDrag::Left << QPoint(INT_MIN, 0) << QRect(-2800, 50, 3200, 200);
        QTest::newRow("bottom, far") << window << BorderDrag::Bottom << QPoint(0, 40000) << QRect(100, 50, 300, 1200);
        const QRect huge(100, 50, 4000, 1500);
        QTest::newRow("larger: left in by 20")
            << huge << BorderDrag::Left << QPoint(20, 0) << QRect(120, 50, 3980, 1500);
        QTest::newRow("larger: left out by 20") << huge << BorderDrag::Left << QPoint(-20, 0) << huge;
        QTest::newRow("larger: bottom up by 30")
            << huge << BorderDrag::Bottom << QPoint(0, -30) << QRect(100, 50, 4000, 1470);
        QTest::newRow("larger: bottom down by 30") << huge << BorderDrag::Bottom << QPoint(0, 30) << huge;
    }
    void growthStopsAtTheScreens()
    {
        QFETCH(QRect, start);
        QFETCH(BorderDrag::Edge, edge);
        QFETCH(QPoint, release);
        QFETCH(QRect, expected);
        const auto result = BorderDrag::resized(start, QPoint(0, 0), release, edge, QSize(80, 34), kScreens);
        QVERIFY(result.has_value());
        QCOMPARE(*result, expected);
    }

    void repeatedDragsNeverPassTheScreens()
    {
        QRect window(100, 50, 300, 200);
        for (int i = 0; i < 200; ++i) {
            const auto edge = i % 2 ? BorderDrag::Right : BorderDrag::Bottom;
            const QPoint press(window.right(), window.bottom());
            const auto grown =
                BorderDrag::resized(window, press, press + QPoint(700, 700), edge, QSize(80, 34), kScreens);
            QVERIFY(grown.has_value());
            window = *grown;
        }
        QCOMPARE(window.size(), kScreens);
    }
};

QTEST_APPLESS_MAIN(TestBorderDrag)
#include "tst_borderdrag.moc"
