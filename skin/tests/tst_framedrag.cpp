#include "platform/controlhost/propertystore.h"
#include "platform/controlhost/windowstaterequest.h"
#include "skin/skinstrip.h"
#include "skin/xp_canvas.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QScreen>
#include <QStyleHints>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

const QRect kStart(100, 80, 300, 200);

// A window of fixed size: it puts its size back whenever it is resized in the
// normal state, as the main window does.
class FixedSizeWindow : public QWidget
{
public:
    FixedSizeWindow()
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    {}

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QWidget::resizeEvent(event);
        if (windowState() == Qt::WindowNoState && size() != kStart.size())
            QTimer::singleShot(0, this, [this] { resize(kStart.size()); });
    }
};

struct FramedWindow
{
    explicit FramedWindow(bool fixedSize = false, WindowStateRequest::Handler requestState = &WindowStateRequest::ask)
        : window(fixedSize ? new FixedSizeWindow : new QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint))
    {
        window->setGeometry(kStart);
        frame = new xp_canvas(window.get(), std::move(requestState));
        frame->setObjectName(QStringLiteral("xp_canvas1"));
        frame->readProperties(PropertyStore{{QStringLiteral("Caption"), QStringLiteral("Анкета")}});
    }
    bool show()
    {
        window->show();
        return QTest::qWaitForWindowExposed(window.get());
    }
    QWindow *handle() const { return window->windowHandle(); }
    // The strips' places in the window.
    QPoint title() const { return QPoint(200, 14); }
    QPoint caption() const { return frame->lblcaption->geometry().center(); }
    QPoint icon() const { return frame->imgicon->geometry().center(); }
    QPoint left() const { return QPoint(2, 100); }
    QPoint right() const { return QPoint(window->width() - 3, 100); }
    QPoint bottom() const { return QPoint(150, window->height() - 2); }

    std::unique_ptr<QWidget> window;
    xp_canvas *frame;
};

// Pointer events outside the window are what a drag past its edge delivers;
// QTest only remarks on them.
void expectEventsOutsideTheWindow()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("occurs outside target window")));
}

} // namespace

class TestFrameDrag : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void titleDragMovesTheWindowByTheDrag_data()
    {
        QTest::addColumn<bool>("onCaption");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QPoint>("drag");
        QTest::newRow("title, left button, right and down") << false << Qt::LeftButton << QPoint(37, 21);
        QTest::newRow("title, left button, left and up") << false << Qt::LeftButton << QPoint(-60, -45);
        QTest::newRow("caption, left button") << true << Qt::LeftButton << QPoint(-12, 30);
    }
    void titleDragMovesTheWindowByTheDrag()
    {
        QFETCH(bool, onCaption);
        QFETCH(Qt::MouseButton, button);
        QFETCH(QPoint, drag);
        FramedWindow framed;
        QVERIFY(framed.show());
        const QPoint from = onCaption ? framed.caption() : framed.title();
        const QPoint origin = framed.window->pos();
        QTest::mousePress(framed.handle(), button, {}, from);
        // In two steps; each move is told in the window's coordinates of the moment.
        QTest::mouseMove(framed.handle(), from + drag / 2);
        QTRY_COMPARE(framed.window->pos(), origin + drag / 2);
        QTest::mouseMove(framed.handle(), from + drag - drag / 2);
        QTRY_COMPARE(framed.window->pos(), origin + drag);
        QTest::mouseRelease(framed.handle(), button, {}, from);
        QCOMPARE(framed.window->pos(), origin + drag);
        QCOMPARE(framed.window->size(), kStart.size());
        // After the release the pointer no longer carries the window.
        QTest::mouseMove(framed.handle(), from + QPoint(10, 10));
        QCOMPARE(framed.window->pos(), origin + drag);
    }

    void titleDragWithAnotherButtonLeavesTheWindowInPlace_data()
    {
        QTest::addColumn<bool>("onCaption");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("title, right button") << false << Qt::RightButton;
        QTest::newRow("title, middle button") << false << Qt::MiddleButton;
        QTest::newRow("caption, right button") << true << Qt::RightButton;
        QTest::newRow("caption, middle button") << true << Qt::MiddleButton;
    }
    void titleDragWithAnotherButtonLeavesTheWindowInPlace()
    {
        // A window manager's move waits for the left button: one started by
        // another button would leave the window on the pointer.
        QFETCH(bool, onCaption);
        QFETCH(Qt::MouseButton, button);
        FramedWindow framed;
        QVERIFY(framed.show());
        const QPoint from = onCaption ? framed.caption() : framed.title();
        const QPoint origin = framed.window->pos();
        QTest::mousePress(framed.handle(), button, {}, from);
        QTest::mouseMove(framed.handle(), from + QPoint(40, 25));
        QTest::mouseMove(framed.handle(), from + QPoint(80, 50));
        QTest::mouseRelease(framed.handle(), button, {}, from + QPoint(80, 50));
        QTest::mouseMove(framed.handle(), from + QPoint(-30, 60));
        QTest::qWait(50);
        QCOMPARE(framed.window->pos(), origin);
        // The left button still moves it afterwards.
        QTest::mousePress(framed.handle(), Qt::LeftButton, {}, from);
        QTest::mouseMove(framed.handle(), from + QPoint(30, 20));
        QTRY_COMPARE(framed.window->pos(), origin + QPoint(30, 20));
        QTest::mouseRelease(framed.handle(), Qt::LeftButton, {}, from + QPoint(30, 20));
    }

    void titleClickOrShortDragLeavesTheWindowInPlace_data()
    {
        QTest::addColumn<bool>("doubleClick");
        QTest::addColumn<int>("travel");
        const int least = QGuiApplication::styleHints()->startDragDistance();
        QTest::newRow("click") << false << 0;
        QTest::newRow("held, short of the drag distance") << false << least - 1;
        QTest::newRow("double click") << true << 0;
    }
    void titleClickOrShortDragLeavesTheWindowInPlace()
    {
        QFETCH(bool, doubleClick);
        QFETCH(int, travel);
        FramedWindow framed;
        QVERIFY(framed.show());
        const QPoint from = framed.title();
        const QPoint origin = framed.window->pos();
        if (doubleClick)
            QTest::mouseDClick(framed.handle(), Qt::LeftButton, {}, from);
        QTest::mousePress(framed.handle(), Qt::LeftButton, {}, from);
        QTest::mouseMove(framed.handle(), from + QPoint(travel, 0));
        QTest::mouseRelease(framed.handle(), Qt::LeftButton, {}, from + QPoint(travel, 0));
        QCOMPARE(framed.window->pos(), origin);
    }

    void titleOfAFixedFrameStillMovesTheWindow()
    {
        FramedWindow framed;
        framed.frame->setFixedSingle(true);
        QVERIFY(framed.show());
        const QPoint origin = framed.window->pos();
        QTest::mousePress(framed.handle(), Qt::LeftButton, {}, framed.title());
        QTest::mouseMove(framed.handle(), framed.title() + QPoint(25, 5));
        QTest::mouseRelease(framed.handle(), Qt::LeftButton, {}, framed.title());
        QTRY_COMPARE(framed.window->pos(), origin + QPoint(25, 5));
    }

    void iconDoesNotMoveTheWindow()
    {
        FramedWindow framed;
        QVERIFY(framed.show());
        const QPoint origin = framed.window->pos();
        QTest::mousePress(framed.handle(), Qt::LeftButton, {}, framed.icon());
        QTest::mouseMove(framed.handle(), framed.icon() + QPoint(30, 30));
        QTest::mouseRelease(framed.handle(), Qt::LeftButton, {}, framed.icon() + QPoint(30, 30));
        QTest::qWait(20);
        QCOMPARE(framed.window->pos(), origin);
    }

    void titleOfAMaximisedWindowDoesNotMoveIt()
    {
        FramedWindow framed;
        QVERIFY(framed.show());
        framed.window->setWindowState(Qt::WindowMaximized);
        QTRY_VERIFY(framed.window->isMaximized());
        QTRY_VERIFY(framed.window->geometry() != kStart);
        const QRect maximised = framed.window->geometry();
        QTest::mousePress(framed.handle(), Qt::LeftButton, {}, framed.title());
        QTest::mouseMove(framed.handle(), framed.title() + QPoint(30, 20));
        QTest::mouseRelease(framed.handle(), Qt::LeftButton, {}, framed.title() + QPoint(30, 20));
        QTest::qWait(20);
        QCOMPARE(framed.window->geometry(), maximised);
    }

    void doubleClickOnTheCaptionTogglesMaximised()
    {
        FramedWindow framed;
        QVERIFY(framed.show());
        QTest::mouseDClick(framed.handle(), Qt::LeftButton, {}, framed.caption());
        QTRY_VERIFY(framed.window->isMaximized());
        QTest::mouseDClick(framed.handle(), Qt::LeftButton, {}, framed.caption());
        QTRY_COMPARE(framed.window->windowState(), Qt::WindowNoState);
        QTRY_COMPARE(framed.window->geometry(), kStart);
    }

    // With no window manager the window is only said to be maximised and
    // keeps its place: the frame then fills the screen's available area
    // itself, and the second double click brings the former place back.
    void withoutAWindowManagerTheFrameMaximisesItself()
    {
        // A display without a window manager: nothing carries the request out.
        FramedWindow framed(false, [](QWidget *, Qt::WindowStates) {});
        QVERIFY(framed.show());
        QTest::mouseDClick(framed.handle(), Qt::LeftButton, {}, framed.caption());
        QCOMPARE(framed.window->geometry(), kStart);
        const QRect available = framed.window->screen()->availableGeometry();
        QTRY_COMPARE(framed.window->geometry(), available);
        QCOMPARE(framed.window->windowState(), Qt::WindowNoState);
        QCOMPARE(framed.frame->pictop->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(framed.frame->picleft->cursor().shape(), Qt::ArrowCursor);
        // Maximised: the title moves nothing.
        QTest::mousePress(framed.handle(), Qt::LeftButton, {}, framed.title());
        QTest::mouseMove(framed.handle(), framed.title() + QPoint(30, 20));
        QTest::mouseRelease(framed.handle(), Qt::LeftButton, {}, framed.title() + QPoint(30, 20));
        QTest::qWait(20);
        QCOMPARE(framed.window->geometry(), available);
        QTest::mouseDClick(framed.handle(), Qt::LeftButton, {}, framed.caption());
        QTRY_COMPARE(framed.window->geometry(), kStart);
        QCOMPARE(framed.frame->picleft->cursor().shape(), Qt::SizeHorCursor);
        // And the title moves the window again; the release is where the
        // pointer is in the window moved.
        QTest::mousePress(framed.handle(), Qt::LeftButton, {}, framed.title());
        QTest::mouseMove(framed.handle(), framed.title() + QPoint(30, 20));
        QTest::mouseRelease(framed.handle(), Qt::LeftButton, {}, framed.title());
        QTRY_COMPARE(framed.window->geometry(), kStart.translated(30, 20));
    }

    // Nothing here shows a minimised window (as with no window manager): the
    // window stays as it was and still moves by its title.
    void minimisingWhereNothingHidesTheWindowLeavesItAsItWas()
    {
        FramedWindow framed;
        QVERIFY(framed.show());
        framed.frame->minimiseWindow();
        QVERIFY(framed.window->isMinimized());
        QTRY_COMPARE(framed.window->windowState(), Qt::WindowNoState);
        QVERIFY(framed.window->isVisible());
        QCOMPARE(framed.window->geometry(), kStart);
        QTest::mousePress(framed.handle(), Qt::LeftButton, {}, framed.title());
        QTest::mouseMove(framed.handle(), framed.title() + QPoint(30, 20));
        QTest::mouseRelease(framed.handle(), Qt::LeftButton, {}, framed.title());
        QTRY_COMPARE(framed.window->geometry(), kStart.translated(30, 20));
    }

    void doubleClickElsewhereOrOnAFixedFrameOrWithAnotherButtonDoesNothing_data()
    {
        QTest::addColumn<bool>("fixed");
        QTest::addColumn<bool>("onCaption");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("title outside the caption") << false << false << Qt::LeftButton;
        QTest::newRow("caption of a fixed frame") << true << true << Qt::LeftButton;
        QTest::newRow("caption, right button") << false << true << Qt::RightButton;
    }
    void doubleClickElsewhereOrOnAFixedFrameOrWithAnotherButtonDoesNothing()
    {
        QFETCH(bool, fixed);
        QFETCH(bool, onCaption);
        QFETCH(Qt::MouseButton, button);
        FramedWindow framed;
        framed.frame->setFixedSingle(fixed);
        QVERIFY(framed.show());
        QTest::mouseDClick(framed.handle(), button, {}, onCaption ? framed.caption() : framed.title());
        QTest::qWait(20);
        QCOMPARE(framed.window->windowState(), Qt::WindowNoState);
        QCOMPARE(framed.window->geometry(), kStart);
    }

    // Press on a strip, release elsewhere: the window changes once, at the release.
    void borderDragResizesOnRelease_data()
    {
        QTest::addColumn<int>("strip");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QPoint>("drag");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("right +40") << 1 << Qt::LeftButton << QPoint(40, 7) << kStart.adjusted(0, 0, 40, 0);
        QTest::newRow("right -100") << 1 << Qt::LeftButton << QPoint(-100, 0) << kStart.adjusted(0, 0, -100, 0);
        QTest::newRow("left +20") << 0 << Qt::LeftButton << QPoint(20, -9) << kStart.adjusted(20, 0, 0, 0);
        QTest::newRow("left -30") << 0 << Qt::LeftButton << QPoint(-30, 0) << kStart.adjusted(-30, 0, 0, 0);
        QTest::newRow("bottom +30") << 3 << Qt::LeftButton << QPoint(11, 30) << kStart.adjusted(0, 0, 0, 30);
        QTest::newRow("bottom -50") << 3 << Qt::LeftButton << QPoint(0, -50) << kStart.adjusted(0, 0, 0, -50);
        QTest::newRow("bottom with the right button")
            << 3 << Qt::RightButton << QPoint(0, 25) << kStart.adjusted(0, 0, 0, 25);
        QTest::newRow("bottom above the top: refused") << 3 << Qt::LeftButton << QPoint(0, -250) << kStart;
        QTest::newRow("bottom under the title: refused") << 3 << Qt::LeftButton << QPoint(0, -170) << kStart;
        QTest::newRow("left past the right edge: refused") << 0 << Qt::LeftButton << QPoint(320, 0) << kStart;
        QTest::newRow("right past the left edge: refused") << 1 << Qt::LeftButton << QPoint(-310, 0) << kStart;
        QTest::newRow("right over the caption: refused") << 1 << Qt::LeftButton << QPoint(-260, 0) << kStart;
        QRect screens;
        for (const QScreen *screen : QGuiApplication::screens())
            screens |= screen->geometry();
        QTest::newRow("right far past the screens") << 1 << Qt::LeftButton << QPoint(40000, 0)
                                                    << QRect(kStart.topLeft(), QSize(screens.width(), kStart.height()));
        QTest::newRow("bottom far past the screens")
            << 3 << Qt::LeftButton << QPoint(0, 40000)
            << QRect(kStart.topLeft(), QSize(kStart.width(), screens.height()));
    }
    void borderDragResizesOnRelease()
    {
        QFETCH(int, strip);
        QFETCH(Qt::MouseButton, button);
        QFETCH(QPoint, drag);
        QFETCH(QRect, expected);
        FramedWindow framed;
        QVERIFY(framed.show());
        const QPoint from = strip == 0 ? framed.left() : strip == 1 ? framed.right() : framed.bottom();
        const QPoint to = from + drag;
        // QTest remarks only on points past the right or bottom edge.
        const bool outside = to.x() >= kStart.width() || to.y() >= kStart.height();
        QTest::mousePress(framed.handle(), button, {}, from);
        if (outside)
            expectEventsOutsideTheWindow();
        QTest::mouseMove(framed.handle(), to);
        // Nothing changes while the strip is dragged.
        QCOMPARE(framed.window->geometry(), kStart);
        if (outside)
            expectEventsOutsideTheWindow();
        QTest::mouseRelease(framed.handle(), button, {}, to);
        QCOMPARE(framed.frame->pressPoint(), kStart.topLeft() + from);
        QCOMPARE(framed.frame->releasePoint(), kStart.topLeft() + to);
        QTest::qWait(20);
        QTRY_COMPARE(framed.window->geometry(), expected);
        QCOMPARE(framed.frame->geometry(), QRect(QPoint(0, 0), expected.size()));
    }

    // The window's own minimum holds for the border drags too; at it, the
    // edge not dragged stays where it was.
    void borderDragsKeepTheWindowsMinimum_data()
    {
        QTest::addColumn<int>("strip");
        QTest::addColumn<QPoint>("drag");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("left to the minimum") << 0 << QPoint(50, 0) << QRect(150, 80, 250, 200);
        QTest::newRow("left past the minimum") << 0 << QPoint(51, 0) << kStart;
        QTest::newRow("right to the minimum") << 1 << QPoint(-50, 0) << QRect(100, 80, 250, 200);
        QTest::newRow("right past the minimum") << 1 << QPoint(-120, 0) << kStart;
        QTest::newRow("bottom to the minimum") << 3 << QPoint(0, -50) << QRect(100, 80, 300, 150);
        QTest::newRow("bottom past the minimum") << 3 << QPoint(0, -51) << kStart;
    }
    void borderDragsKeepTheWindowsMinimum()
    {
        QFETCH(int, strip);
        QFETCH(QPoint, drag);
        QFETCH(QRect, expected);
        FramedWindow framed;
        framed.window->setMinimumSize(250, 150);
        QVERIFY(framed.show());
        const QPoint from = strip == 0 ? framed.left() : strip == 1 ? framed.right() : framed.bottom();
        QTest::mousePress(framed.handle(), Qt::LeftButton, {}, from);
        QTest::mouseRelease(framed.handle(), Qt::LeftButton, {}, from + drag);
        QTest::qWait(20);
        QTRY_COMPARE(framed.window->geometry(), expected);
    }

    void leftDragOnAFixedSizeWindowOnlyShiftsIt()
    {
        FramedWindow framed(true);
        QVERIFY(framed.show());
        QTest::mousePress(framed.handle(), Qt::LeftButton, {}, framed.left());
        QTest::mouseRelease(framed.handle(), Qt::LeftButton, {}, framed.left() + QPoint(20, 0));
        QTRY_COMPARE(framed.window->geometry(), kStart.translated(20, 0));
        QTest::qWait(20);
        QCOMPARE(framed.window->geometry(), kStart.translated(20, 0));
    }

    void bordersOfAFixedFrameDoNothing_data()
    {
        QTest::addColumn<int>("strip");
        QTest::newRow("left") << 0;
        QTest::newRow("right") << 1;
        QTest::newRow("bottom") << 3;
    }
    void bordersOfAFixedFrameDoNothing()
    {
        QFETCH(int, strip);
        FramedWindow framed;
        framed.frame->setFixedSingle(true);
        QVERIFY(framed.show());
        const QPoint from = strip == 0 ? framed.left() : strip == 1 ? framed.right() : framed.bottom();
        QTest::mousePress(framed.handle(), Qt::LeftButton, {}, from);
        QTest::mouseRelease(framed.handle(), Qt::LeftButton, {}, from - QPoint(30, 30));
        QTest::qWait(20);
        QCOMPARE(framed.window->geometry(), kStart);
        QCOMPARE(framed.frame->pressPoint(), QPoint());
        QCOMPARE(framed.frame->releasePoint(), QPoint());
    }

    void bordersOfAMaximisedWindowDoNothing()
    {
        FramedWindow framed;
        QVERIFY(framed.show());
        framed.window->setWindowState(Qt::WindowMaximized);
        QTRY_VERIFY(framed.window->isMaximized());
        QTRY_VERIFY(framed.window->geometry() != kStart);
        QCOMPARE(framed.frame->size(), framed.window->size());
        const QRect maximised = framed.window->geometry();
        QTest::mousePress(framed.handle(), Qt::LeftButton, {}, framed.left());
        QTest::mouseRelease(framed.handle(), Qt::LeftButton, {}, framed.left() + QPoint(20, 0));
        QTest::qWait(20);
        QCOMPARE(framed.window->geometry(), maximised);
    }

    // The window was moved without the program hearing of it (no notice from
    // the window manager during a title drag): a border drag sizes the
    // window where it really is instead of putting it back.
    void borderDragAfterAMoveTheProgramDidNotHear()
    {
        FramedWindow framed;
        QVERIFY(framed.show());
        const QPoint shift(150, 60);
        const QPoint from = framed.right();
        const QPoint to = from - QPoint(40, 0);
        const auto send = [&](QEvent::Type type, QPoint local, Qt::MouseButtons held) {
            QMouseEvent event(type, local, framed.handle()->mapToGlobal(local) + shift, Qt::LeftButton, held,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(framed.handle(), &event);
        };
        send(QEvent::MouseButtonPress, from, Qt::LeftButton);
        send(QEvent::MouseMove, to, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, to, Qt::NoButton);
        QTRY_COMPARE(framed.window->geometry(), QRect(kStart.topLeft() + shift, kStart.size() - QSize(40, 0)));
    }
};

QTEST_MAIN(TestFrameDrag)
#include "tst_framedrag.moc"
