#include "platform/controlhost/pointerwatch.h"
#include "platform/testsupport/pointerevents.h"
#include "platform/testsupport/pointerfollower.h"

#include <QCursor>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

namespace {

// A control at (50, 20) on a window at (200, 150), which hears the pointer
// move over it as the controls that poll do.
struct WatchedControl
{
    WatchedControl()
        : window(nullptr, Qt::Window | Qt::FramelessWindowHint)
        , control(new QWidget(&window))
        , watch(new PointerWatch(control))
    {
        window.setGeometry(200, 150, 120, 60);
        control->setGeometry(50, 20, 40, 30);
        control->setMouseTracking(true);
    }
    bool show()
    {
        window.show();
        return QTest::qWaitForWindowExposed(&window);
    }
    QWindow *handle() const { return window.windowHandle(); }

    QWidget window;
    QWidget *control;
    PointerWatch *watch;
};

} // namespace

class TestPointerWatch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The controls read the cursor; the offscreen platform keeps the place a
    // test gives it.
    void theCursorIsWhereItWasPut()
    {
        QCursor::setPos(QPoint(37, 41));
        QCOMPARE(QCursor::pos(), QPoint(37, 41));
    }

    void pointerPositionIsTheCursorInTheControlsPixels_data()
    {
        QTest::addColumn<QPoint>("cursor");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("over the control") << QPoint(260, 180) << QPoint(10, 10);
        QTest::newRow("left of the window") << QPoint(100, 150) << QPoint(-150, -20);
        QTest::newRow("below the control") << QPoint(250, 230) << QPoint(0, 60);
    }
    void pointerPositionIsTheCursorInTheControlsPixels()
    {
        QFETCH(QPoint, cursor);
        QFETCH(QPoint, expected);
        PointerFollower pointer;
        WatchedControl on;
        QVERIFY(on.show());
        pointer.moveTo(cursor);
        QCOMPARE(on.watch->pointerPosition(), expected);
    }

    // Simulated events go to the window; the cursor follows them.
    void theFollowerPutsTheCursorWhereTheLastEventWas()
    {
        PointerFollower pointer;
        WatchedControl on;
        QVERIFY(on.show());
        QCOMPARE(QCursor::pos(), QPoint(-1000, -1000));
        QTest::mouseMove(on.handle(), QPoint(60, 25));
        QCOMPARE(QCursor::pos(), QPoint(260, 175));
        QCOMPARE(on.watch->pointerPosition(), QPoint(10, 5));
        QTest::mousePress(on.handle(), Qt::LeftButton, {}, QPoint(70, 30));
        QTest::mouseRelease(on.handle(), Qt::LeftButton, {}, QPoint(70, 30));
        QCOMPARE(QCursor::pos(), QPoint(270, 180));
        QCOMPARE(on.watch->pointerPosition(), QPoint(20, 10));
    }

    // Where the window really is elsewhere than the program heard, the
    // control's latest pointer event tells; a move of the window forgets it.
    void theLatestPointerEventPlacesTheControl()
    {
        PointerFollower pointer;
        WatchedControl on;
        QVERIFY(on.show());
        const QPoint shift(30, -10);
        moveOnWindowMovedBy(on.handle(), QPoint(60, 25), shift);
        QCOMPARE(QCursor::pos(), QPoint(260, 175) + shift);
        QCOMPARE(on.watch->pointerPosition(), QPoint(10, 5));
        on.window.move(on.window.pos() + QPoint(1, 0));
        QTRY_COMPARE(on.watch->pointerPosition(), on.control->mapFromGlobal(QCursor::pos()));
    }

    void leavesAreReported()
    {
        PointerFollower pointer;
        WatchedControl on;
        QVERIFY(on.show());
        QSignalSpy windowLeft(on.watch, &PointerWatch::windowLeft);
        QSignalSpy controlLeft(on.watch, &PointerWatch::controlLeft);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(on.control, &leave);
        QCOMPARE(controlLeft.size(), 1);
        QCOMPARE(windowLeft.size(), 0);
        leaveWindow(on.handle());
        QCOMPARE(windowLeft.size(), 1);
    }
};

QTEST_MAIN(TestPointerWatch)
#include "tst_pointerwatch.moc"
