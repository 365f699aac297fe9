#include "platform/controlhost/propertystore.h"
#include "platform/testsupport/devicepixelprobes.h"
#include "skin/xp_canvas.h"
#include "skin/xptopbuttons.h"

#include <QTest>

#include <memory>

// The frame on a screen scaled by QT_SCALE_FACTOR (2 or 1.5, as the test is
// run): its lines are whole device pixels, as wide on the right as on the
// left, and the title-bar buttons are drawn at the screen's resolution.
class TestScaledFrame : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        if (qApp->devicePixelRatio() == 1.0)
            QSKIP("run with QT_SCALE_FACTOR set");
    }

    void borderLinesAreAlikeOnBothSides()
    {
        std::unique_ptr<QWidget> window(new QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint));
        window->setGeometry(100, 80, 300, 200);
        auto *frame = new xp_canvas(window.get());
        frame->readProperties(PropertyStore{{QStringLiteral("Caption"), QStringLiteral("Анкета")}});
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const QImage shot = window->grab().toImage();
        QCOMPARE(shot.devicePixelRatio(), qApp->devicePixelRatio());
        // Across the middle of the side strips and up the bottom strip, line by line.
        const int middle = shot.height() / 2;
        int fromLeft = 0;
        int fromRight = 0;
        for (int line = 0; line < 3; ++line) {
            const int left = sameColourRun(shot, QPoint(fromLeft, middle), QPoint(1, 0));
            const int right = sameColourRun(shot, QPoint(shot.width() - 1 - fromRight, middle), QPoint(-1, 0));
            QCOMPARE(left, right);
            QVERIFY(left >= 1);
            fromLeft += left;
            fromRight += right;
        }
        const int bottom = sameColourRun(shot, QPoint(shot.width() / 2, shot.height() - 1), QPoint(0, -1));
        QCOMPARE(bottom, sameColourRun(shot, QPoint(0, middle), QPoint(1, 0)));
    }

    void titleBarButtonIsDrawnAtTheScreensResolution()
    {
        std::unique_ptr<QWidget> window(new QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint));
        window->resize(100, 60);
        auto *button = new xptopbuttons(window.get());
        button->readProperties(PropertyStore{});
        button->move(10, 10);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const qreal ratio = qApp->devicePixelRatio();
        const QImage shot = button->grab().toImage();
        QCOMPARE(shot.size(), QSize(qRound(21 * ratio), qRound(21 * ratio)));
        // The glyph is drawn anew, not its pixels enlarged: within some pixel
        // of the button's own units two device pixels differ.
        QVERIFY(finerThanItsUnits(shot, shot.rect(), ratio));
    }
};

QTEST_MAIN(TestScaledFrame)
#include "tst_scaledframe.moc"
