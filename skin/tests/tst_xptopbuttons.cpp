#include "platform/controlhost/propertystore.h"
#include "platform/testsupport/pointerevents.h"
#include "platform/testsupport/pointerfollower.h"
#include "skin/xptopbuttons.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

constexpr int kNormal = 0;
constexpr int kHover = 1;
constexpr int kPressed = 2;
constexpr int kDisabled = 3;
// Long enough for several ticks of the 10-ms poller.
constexpr int kPollWait = 60;

// A window with one title-bar button at (50, 20); the pointer starts far away.
struct ButtonOnWindow
{
    explicit ButtonOnWindow(int value = 0)
        : window(std::make_unique<QWidget>(nullptr, Qt::Window | Qt::FramelessWindowHint))
    {
        window->setGeometry(200, 150, 120, 60);
        button = new xptopbuttons(window.get());
        button->setObjectName(QStringLiteral("xptopbuttons1"));
        button->initProperties();
        button->setValue(value);
        button->move(50, 20);
    }
    bool show()
    {
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            return false;
        // A move to where the last test left the pointer would be no move.
        QTest::mouseMove(handle(), QPoint(1, 1));
        QTest::mouseMove(handle(), QPoint(2, 2));
        return true;
    }
    QWindow *handle() const { return window->windowHandle(); }
    // A point of the button, in the window's coordinates.
    QPoint at(int x, int y) const { return button->pos() + QPoint(x, y); }

    PointerFollower pointer;
    std::unique_ptr<QWidget> window;
    xptopbuttons *button;
};

// The button shows the cell wherever the cell's picture is opaque.
bool showsFace(xptopbuttons *button, int strip, int cell)
{
    const QImage shot = button->grab().toImage();
    const QImage face = xptopbuttons::glyphStrip(strip).cell(cell);
    if (shot.size() != face.size())
        return false;
    for (int y = 0; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x)
            if (qAlpha(face.pixel(x, y)) == 255 && shot.pixel(x, y) != face.pixel(x, y))
                return false;
    return true;
}

} // namespace

class TestXpTopButtons : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sizeIsAlways21By21_data()
    {
        QTest::addColumn<QSize>("asked");
        QTest::newRow("larger") << QSize(40, 40);
        QTest::newRow("smaller") << QSize(5, 5);
        QTest::newRow("wide") << QSize(84, 21);
    }
    void sizeIsAlways21By21()
    {
        QFETCH(QSize, asked);
        xptopbuttons button;
        button.resize(asked);
        QCOMPARE(button.size(), QSize(21, 21));
        button.setGeometry(QRect(QPoint(3, 4), asked));
        QCOMPARE(button.geometry(), QRect(3, 4, 21, 21));
    }

    void valueChoosesTheGlyph_data()
    {
        QTest::addColumn<int>("value");
        QTest::newRow("close") << 0;
        QTest::newRow("maximise") << 1;
        QTest::newRow("minimise") << 2;
        QTest::newRow("restore") << 3;
    }
    void valueChoosesTheGlyph()
    {
        QFETCH(int, value);
        ButtonOnWindow on(value);
        QCOMPARE(on.button->value(), value);
        QCOMPARE(on.button->stripIndex(), value);
        QVERIFY(showsFace(on.button, value, kNormal));
        for (int other = 0; other < 4; ++other)
            if (other != value)
                QVERIFY(!showsFace(on.button, other, kNormal));
    }

    void valueOutsideTheGlyphsIsKeptButChangesNothing()
    {
        ButtonOnWindow on(2);
        QSignalSpy changed(on.button, &xptopbuttons::propertyChanged);
        on.button->setValue(7);
        QCOMPARE(on.button->value(), 7);
        QCOMPARE(on.button->stripIndex(), 2);
        QVERIFY(showsFace(on.button, 2, kNormal));
        QCOMPARE(changed.value(0).value(0).toString(), QStringLiteral("Value"));
        PropertyStore saved;
        on.button->writeProperties(saved);
        QCOMPARE(saved.read(QStringLiteral("Value"), 0), 7);
    }

    // What the button shows after each input, the pointer staying over it.
    void faceFollowsTheMouse_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("cell");
        QTest::newRow("pointer moves over it") << "move" << kHover;
        QTest::newRow("left button goes down") << "press left" << kPressed;
        QTest::newRow("right button goes down") << "press right" << kPressed;
        QTest::newRow("moves with the left button held") << "press left, move" << kPressed;
        QTest::newRow("moves with the right button held") << "press right, move" << kHover;
        QTest::newRow("left button comes up over it") << "press left, release" << kNormal;
        QTest::newRow("right button comes up over it") << "press right, release" << kNormal;
        QTest::newRow("moves after the release") << "press left, release, move" << kHover;
    }
    void faceFollowsTheMouse()
    {
        QFETCH(QString, input);
        QFETCH(int, cell);
        ButtonOnWindow on(3);
        QVERIFY(on.show());
        const Qt::MouseButton button = input.contains(QStringLiteral("right")) ? Qt::RightButton : Qt::LeftButton;
        QTest::mouseMove(on.handle(), on.at(9, 9));
        if (input.startsWith(QStringLiteral("press")))
            QTest::mousePress(on.handle(), button, {}, on.at(10, 10));
        if (input.contains(QStringLiteral("release")))
            QTest::mouseRelease(on.handle(), button, {}, on.at(10, 10));
        if (input.endsWith(QStringLiteral("move")))
            QTest::mouseMove(on.handle(), on.at(12, 11));
        QCOMPARE(on.button->cell(), cell);
        QVERIFY(showsFace(on.button, 3, cell));
        QTest::qWait(kPollWait);
        QCOMPARE(on.button->cell(), cell);
        if (input.startsWith(QStringLiteral("press")) && !input.contains(QStringLiteral("release")))
            QTest::mouseRelease(on.handle(), button, {}, on.at(10, 10));
    }

    void eventsComeAfterTheFaceChanges()
    {
        ButtonOnWindow on;
        QVERIFY(on.show());
        QStringList events;
        connect(on.button, &xptopbuttons::MouseDown, on.button, [&](int button, int shift, float x, float y) {
            events << QStringLiteral("MouseDown %1 %2 %3,%4 cell %5")
                          .arg(button)
                          .arg(shift)
                          .arg(x)
                          .arg(y)
                          .arg(on.button->cell());
        });
        connect(on.button, &xptopbuttons::MouseMove, on.button, [&](int button, int, float x, float y) {
            events << QStringLiteral("MouseMove %1 %2,%3 cell %4").arg(button).arg(x).arg(y).arg(on.button->cell());
        });
        connect(on.button, &xptopbuttons::MouseUp, on.button, [&](int button, int, float, float) {
            events << QStringLiteral("MouseUp %1 cell %2").arg(button).arg(on.button->cell());
        });
        connect(on.button, &xptopbuttons::Click, on.button, [&] { events << QStringLiteral("Click"); });
        QTest::mouseMove(on.handle(), on.at(4, 5));
        QTest::mousePress(on.handle(), Qt::LeftButton, Qt::ShiftModifier, on.at(4, 5));
        QTest::mouseMove(on.handle(), on.at(5, 6));
        QTest::mouseRelease(on.handle(), Qt::LeftButton, {}, on.at(5, 6));
        QCOMPARE(events,
                 QStringList({"MouseMove 0 4,5 cell 0", "MouseDown 1 1 4,5 cell 2", "MouseMove 1 5,6 cell 2",
                              "MouseUp 1 cell 0", "Click"}));
    }

    void doubleClickRaisesOneClick()
    {
        ButtonOnWindow on;
        QVERIFY(on.show());
        QStringList events;
        connect(on.button, &xptopbuttons::MouseDown, on.button, [&] { events << QStringLiteral("MouseDown"); });
        connect(on.button, &xptopbuttons::MouseUp, on.button, [&] { events << QStringLiteral("MouseUp"); });
        connect(on.button, &xptopbuttons::Click, on.button, [&] { events << QStringLiteral("Click"); });
        // The face each release finds: the second press shows no pressed face.
        struct FaceAtRelease : QObject
        {
            xptopbuttons *button;
            QList<int> cells;
            bool eventFilter(QObject *, QEvent *event) override
            {
                if (event->type() == QEvent::MouseButtonRelease)
                    cells << button->cell();
                return false;
            }
        } faces;
        faces.button = on.button;
        on.button->installEventFilter(&faces);
        QTest::mouseDClick(on.handle(), Qt::LeftButton, {}, on.at(10, 10));
        QCOMPARE(events, QStringList({"MouseDown", "MouseUp", "Click", "MouseUp"}));
        QCOMPARE(faces.cells, QList<int>({kPressed, kNormal}));
        // The next single click counts again.
        QTest::mouseClick(on.handle(), Qt::LeftButton, {}, on.at(10, 10));
        QCOMPARE(events.count(QStringLiteral("Click")), 2);
    }

    void rightButtonDoubleClickIsTwoPresses()
    {
        ButtonOnWindow on;
        QVERIFY(on.show());
        QSignalSpy downs(on.button, &xptopbuttons::MouseDown);
        QSignalSpy clicks(on.button, &xptopbuttons::Click);
        QTest::mouseDClick(on.handle(), Qt::RightButton, {}, on.at(10, 10));
        QCOMPARE(downs.size(), 2);
        QCOMPARE(downs.at(1).at(0).toInt(), 2);
        QVERIFY(clicks.isEmpty());
    }

    void clickNeedsTheLeftButtonReleasedOverTheButton_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QPoint>("release");
        QTest::addColumn<bool>("clicked");
        QTest::newRow("left, over it") << Qt::LeftButton << QPoint(20, 20) << true;
        QTest::newRow("left, beside it") << Qt::LeftButton << QPoint(30, 10) << false;
        QTest::newRow("right, over it") << Qt::RightButton << QPoint(10, 10) << false;
    }
    void clickNeedsTheLeftButtonReleasedOverTheButton()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(QPoint, release);
        QFETCH(bool, clicked);
        ButtonOnWindow on;
        QVERIFY(on.show());
        QSignalSpy clicks(on.button, &xptopbuttons::Click);
        QSignalSpy ups(on.button, &xptopbuttons::MouseUp);
        QTest::mousePress(on.handle(), button, {}, on.at(10, 10));
        QTest::mouseRelease(on.handle(), button, {}, on.at(release.x(), release.y()));
        QCOMPARE(ups.size(), 1);
        QCOMPARE(clicks.isEmpty(), !clicked);
    }

    void leavingRaisesOneMouseOut()
    {
        ButtonOnWindow on(1);
        QVERIFY(on.show());
        QTest::qWait(kPollWait); // the poller's first round after creation
        QSignalSpy outs(on.button, &xptopbuttons::MouseOut);
        QTest::mouseMove(on.handle(), on.at(10, 10));
        QCOMPARE(on.button->cell(), kHover);
        QTest::mouseMove(on.handle(), QPoint(10, 10));
        QTRY_COMPARE(outs.size(), 1);
        QCOMPARE(on.button->cell(), kNormal);
        QVERIFY(showsFace(on.button, 1, kNormal));
        QTest::mouseMove(on.handle(), QPoint(12, 40));
        QTest::mouseMove(on.handle(), QPoint(100, 50));
        QTest::qWait(kPollWait);
        QCOMPARE(outs.size(), 1);
    }

    void dragOutAndBackWithTheLeftButton()
    {
        ButtonOnWindow on;
        QVERIFY(on.show());
        QTest::qWait(kPollWait);
        QSignalSpy outs(on.button, &xptopbuttons::MouseOut);
        QSignalSpy ups(on.button, &xptopbuttons::MouseUp);
        QSignalSpy clicks(on.button, &xptopbuttons::Click);
        QTest::mousePress(on.handle(), Qt::LeftButton, {}, on.at(10, 10));
        QCOMPARE(on.button->cell(), kPressed);
        // Out: normal within a poll, with one MouseOut however far it goes.
        QTest::mouseMove(on.handle(), on.at(30, 10));
        QTRY_COMPARE(outs.size(), 1);
        QCOMPARE(on.button->cell(), kNormal);
        QTest::mouseMove(on.handle(), on.at(40, 12));
        QTest::mouseMove(on.handle(), on.at(45, 25));
        QTest::qWait(kPollWait);
        QCOMPARE(outs.size(), 1);
        QCOMPARE(on.button->cell(), kNormal);
        // Back in with the button still down: pressed again.
        QTest::mouseMove(on.handle(), on.at(8, 8));
        QCOMPARE(on.button->cell(), kPressed);
        QTest::mouseMove(on.handle(), on.at(-5, 8));
        QTRY_COMPARE(outs.size(), 2);
        // The release outside is reported, but no click.
        QTest::mouseRelease(on.handle(), Qt::LeftButton, {}, on.at(-5, 8));
        QCOMPARE(ups.size(), 1);
        QCOMPARE(on.button->cell(), kNormal);
        QVERIFY(clicks.isEmpty());
    }

    // One past the last column or row is still the button's.
    void edgeOnePastTheLastPixelCountsAsInside_data()
    {
        QTest::addColumn<QPoint>("edge");
        QTest::addColumn<QPoint>("beyond");
        QTest::newRow("right edge") << QPoint(21, 10) << QPoint(22, 10);
        QTest::newRow("bottom edge") << QPoint(10, 21) << QPoint(10, 22);
        QTest::newRow("corner") << QPoint(21, 21) << QPoint(21, 22);
        QTest::newRow("left edge") << QPoint(0, 10) << QPoint(-1, 10);
    }
    void edgeOnePastTheLastPixelCountsAsInside()
    {
        QFETCH(QPoint, edge);
        QFETCH(QPoint, beyond);
        ButtonOnWindow on;
        QVERIFY(on.show());
        QTest::qWait(kPollWait);
        QTest::mouseMove(on.handle(), on.at(10, 10));
        QSignalSpy outs(on.button, &xptopbuttons::MouseOut);
        QSignalSpy moves(on.button, &xptopbuttons::MouseMove);
        // Held, the button gets every move, so MouseMove can be seen at the edge.
        QTest::mousePress(on.handle(), Qt::LeftButton, {}, on.at(10, 10));
        QTest::mouseMove(on.handle(), on.at(edge.x(), edge.y()));
        QCOMPARE(moves.size(), 1);
        QCOMPARE(moves.at(0).at(2).toFloat(), float(edge.x()));
        QCOMPARE(moves.at(0).at(3).toFloat(), float(edge.y()));
        QTest::qWait(kPollWait);
        QVERIFY(outs.isEmpty());
        QTest::mouseMove(on.handle(), on.at(beyond.x(), beyond.y()));
        QCOMPARE(moves.size(), 1);
        QTRY_COMPARE(outs.size(), 1);
        QTest::mouseRelease(on.handle(), Qt::LeftButton, {}, on.at(beyond.x(), beyond.y()));

        // Resting there with no button held: the poller agrees.
        QTest::mouseMove(on.handle(), on.at(10, 10));
        on.pointer.moveTo(on.button->mapToGlobal(edge));
        QTest::qWait(kPollWait);
        QCOMPARE(outs.size(), 1);
        on.pointer.moveTo(on.button->mapToGlobal(beyond));
        QTRY_COMPARE(outs.size(), 2);
    }

    void newButtonReportsMouseOutOnceUnlessThePointerIsOverIt_data()
    {
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<int>("mouseOuts");
        QTest::newRow("pointer elsewhere") << QPoint(5, 5) << 1;
        QTest::newRow("pointer over it") << QPoint(60, 30) << 0;
    }
    void newButtonReportsMouseOutOnceUnlessThePointerIsOverIt()
    {
        QFETCH(QPoint, pointer);
        QFETCH(int, mouseOuts);
        PointerFollower follower(QPoint(200, 150) + pointer);
        QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
        window.setGeometry(200, 150, 120, 60);
        auto *button = new xptopbuttons(&window);
        button->move(50, 20);
        QSignalSpy outs(button, &xptopbuttons::MouseOut);
        QTest::qWait(kPollWait);
        QCOMPARE(outs.size(), mouseOuts);
        QCOMPARE(button->cell(), kNormal);
    }

    void disabledButtonShowsItsWashedOutFace()
    {
        ButtonOnWindow on(2);
        QVERIFY(on.show());
        on.button->setEnabled(false);
        QCOMPARE(on.button->cell(), kDisabled);
        QVERIFY(showsFace(on.button, 2, kDisabled));
        // No mouse input while disabled.
        QSignalSpy downs(on.button, &xptopbuttons::MouseDown);
        QTest::mousePress(on.handle(), Qt::LeftButton, {}, on.at(10, 10));
        QTest::mouseRelease(on.handle(), Qt::LeftButton, {}, on.at(10, 10));
        QVERIFY(downs.isEmpty());
        QCOMPARE(on.button->cell(), kDisabled);
        on.button->setEnabled(true);
        QCOMPARE(on.button->cell(), kNormal);
        QVERIFY(showsFace(on.button, 2, kNormal));
    }

    void pollWhileDisabledReportsMouseOutAndKeepsTheFace()
    {
        ButtonOnWindow on;
        QVERIFY(on.show());
        QTest::mouseMove(on.handle(), on.at(10, 10));
        QSignalSpy outs(on.button, &xptopbuttons::MouseOut);
        on.button->setEnabled(false);
        on.pointer.moveTo(on.window->mapToGlobal(QPoint(5, 5)));
        QTRY_COMPARE(outs.size(), 1);
        QCOMPARE(on.button->cell(), kDisabled);
    }

    void newButtonStoresNothing()
    {
        xptopbuttons button;
        button.initProperties();
        QCOMPARE(button.value(), 0);
        QVERIFY(button.isEnabled());
        PropertyStore saved;
        button.writeProperties(saved);
        QVERIFY(saved.isEmpty());
    }

    void storedGlyphShowsWhenTheButtonIsShown()
    {
        ButtonOnWindow on;
        const PropertyStore design{{QStringLiteral("Value"), 2}, {QStringLiteral("Enabled"), false}};
        on.button->readProperties(design);
        QCOMPARE(on.button->value(), 2);
        QVERIFY(!on.button->isEnabled());
        // The strip in use until the button is shown.
        QCOMPARE(on.button->stripIndex(), 0);
        QCOMPARE(on.button->cell(), kDisabled);
        QVERIFY(on.show());
        QCOMPARE(on.button->stripIndex(), 2);
        QVERIFY(showsFace(on.button, 2, kDisabled));
        PropertyStore saved;
        on.button->writeProperties(saved);
        QCOMPARE(saved.keys(), design.keys());
        QCOMPARE(saved.read(QStringLiteral("Value"), 0), 2);
        QCOMPARE(saved.read(QStringLiteral("Enabled"), true), false);
    }

    // Where the platform cannot report the pointer outside its windows
    // (Wayland), the poll goes on finding it where it last was. The window's
    // leave ends the hover at once; the button's own leave has the platform's
    // fresh place looked at, where one past the far edge still counts.
    void leaveEventsEndTheHover_data()
    {
        QTest::addColumn<QString>("leave");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<int>("cell");
        QTest::addColumn<int>("mouseOuts");
        QTest::newRow("window left, poll still inside") << "window" << QPoint(10, 10) << kNormal << 1;
        QTest::newRow("button left for the title") << "button" << QPoint(30, 10) << kNormal << 1;
        QTest::newRow("button left for its far edge") << "button" << QPoint(21, 21) << kHover << 0;
    }
    void leaveEventsEndTheHover()
    {
        QFETCH(QString, leave);
        QFETCH(QPoint, to);
        QFETCH(int, cell);
        QFETCH(int, mouseOuts);
        ButtonOnWindow on;
        QVERIFY(on.show());
        QTest::qWait(kPollWait);
        QTest::mouseMove(on.handle(), on.at(10, 10));
        QCOMPARE(on.button->cell(), kHover);
        QSignalSpy outs(on.button, &xptopbuttons::MouseOut);
        if (leave == QLatin1String("window"))
            leaveWindow(on.handle());
        else
            QTest::mouseMove(on.handle(), on.at(to.x(), to.y()));
        // At once, before any tick of the poll.
        QCOMPARE(outs.size(), mouseOuts);
        QCOMPARE(on.button->cell(), cell);
        QTest::qWait(kPollWait);
        QCOMPARE(outs.size(), mouseOuts);
        QCOMPARE(on.button->cell(), cell);
        QVERIFY(showsFace(on.button, 0, cell));
        // Coming back lights it again.
        QTest::mouseMove(on.handle(), on.at(11, 11));
        QCOMPARE(on.button->cell(), kHover);
    }

    // The window was moved without the program hearing of it (no notice from
    // the window manager): the poll still places the pointer by where the
    // button's own events showed it.
    void hoverHoldsAfterAMoveTheProgramDidNotHear()
    {
        ButtonOnWindow on;
        QVERIFY(on.show());
        QTest::qWait(kPollWait);
        const QPoint shift(300, 120);
        moveOnWindowMovedBy(on.handle(), on.at(10, 10), shift);
        QCOMPARE(on.button->cell(), kHover);
        QSignalSpy outs(on.button, &xptopbuttons::MouseOut);
        QTest::qWait(kPollWait);
        QVERIFY(outs.isEmpty());
        QCOMPARE(on.button->cell(), kHover);
        // And the pointer leaving it is still seen.
        on.pointer.moveTo(on.window->mapToGlobal(on.at(40, 10)) + shift);
        QTRY_COMPARE(outs.size(), 1);
        QCOMPARE(on.button->cell(), kNormal);
    }
};

QTEST_MAIN(TestXpTopButtons)
#include "tst_xptopbuttons.moc"
