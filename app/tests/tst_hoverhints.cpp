#include "app/hoverhints.h"
#include "controls/xpb.h"
#include "controls/xpcheckbox.h"
#include "platform/controlhost/controlproperties.h"
#include "platform/testsupport/pointerfollower.h"

#include <QAccessible>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

namespace {
void tick(QTimer *timer, int times = 1)
{
    for (int i = 0; i < times; ++i)
        QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
}
} // namespace

class TestHoverHints : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_window = new QWidget;
        m_window->resize(300, 100);
        // Beside the buttons, as on the toolbar.
        m_label = new QLabel(m_window);
        m_label->setGeometry(150, 5, 140, 20);
        m_label->hide();
        m_timer = new QTimer(m_window);
        m_timer->setInterval(1000);
        const auto button = [this](int left) {
            auto *b = new XpB(m_window);
            b->setGeometry(left, 40, 25, 23);
            return b;
        };
        m_paste = button(10);
        m_save = button(40);
        m_search = button(70);
        m_search->setProperty(ControlProperty::Hint, QStringLiteral("tag text"));
        m_hints = new HoverHints(m_label, m_timer, m_window);
        m_hints->add(m_paste, QStringLiteral("Вставить из буфера"));
        m_hints->add(m_save, QStringLiteral("Сoхранить картинку"));
        m_hints->add(m_search, QStringLiteral("unused"));
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
        // The platform drops a move to where the pointer already is.
        moveTo(QPoint(200, 5));
    }
    void cleanup() { delete m_window; }

    void showsAtOnceAndHidesOnTheFourthTick()
    {
        moveOver(m_search);
        QVERIFY(m_label->isVisible());
        QCOMPARE(m_label->text(), QStringLiteral("tag text"));
        tick(m_timer, 3);
        QVERIFY(m_label->isVisible());
        tick(m_timer);
        QVERIFY(!m_label->isVisible());
        QVERIFY(!m_timer->isActive());
    }

    void movingToAnotherButtonChangesTheTextAndRestartsTheCount()
    {
        moveOver(m_paste);
        tick(m_timer, 2);
        // Straight from one button onto the next.
        moveOver(m_save);
        QVERIFY(m_label->isVisible());
        QCOMPARE(m_label->text(), QStringLiteral("Сoхранить картинку"));
        QCOMPARE(m_hints->hintTicks(), 0.0f);
        tick(m_timer, 3);
        QVERIFY(m_label->isVisible());
    }

    void leavingHidesAtOnceButKeepsTheTimer()
    {
        moveOver(m_paste);
        moveTo(QPoint(200, 5));
        QVERIFY(!m_label->isVisible());
        QVERIFY(m_timer->isActive());
    }

    void theFirstMoveAfterAClickShowsTheHintAgain()
    {
        moveOver(m_paste);
        tick(m_timer, 4);
        QVERIFY(!m_label->isVisible());
        const QPoint at = centreOf(m_paste);
        QTest::mousePress(m_window->windowHandle(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(m_window->windowHandle(), Qt::LeftButton, {}, at);
        QVERIFY(!m_label->isVisible());
        moveTo(at + QPoint(1, 1));
        QVERIFY(m_label->isVisible());
        QCOMPARE(m_label->text(), QStringLiteral("Вставить из буфера"));
        QCOMPARE(m_hints->hintTicks(), 0.0f);
    }

    void leavingDuringAPressDragHidesTheHint()
    {
        moveOver(m_save);
        QTest::mousePress(m_window->windowHandle(), Qt::LeftButton, {}, centreOf(m_save));
        QVERIFY(m_label->isVisible());
        moveTo(QPoint(200, 5));
        QVERIFY(!m_label->isVisible());
        QTest::mouseRelease(m_window->windowHandle(), Qt::LeftButton, {}, QPoint(200, 5));
        QVERIFY(!m_label->isVisible());
    }

    void aControlIsDescribedByItsHint_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("description");
        QTest::newRow("fixed text") << 0 << QStringLiteral("Вставить из буфера");
        QTest::newRow("tag") << 2 << QStringLiteral("tag text");
    }
    void aControlIsDescribedByItsHint()
    {
        QFETCH(int, button);
        QFETCH(QString, description);
        XpB *buttons[] = {m_paste, m_save, m_search};
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(buttons[button]);
        QVERIFY(iface);
        QCOMPARE(iface->text(QAccessible::Description), description);
    }

    // Brisk moves: the box's poll reports its leave only after the pointer
    // already came over the button; the button's hint stays.
    void aLateLeaveOfAnotherControlKeepsTheHint()
    {
        auto *box = new xpcheckbox(m_window);
        box->setGeometry(110, 40, 17, 17);
        box->show();
        m_hints->add(box, QStringLiteral("box"));
        moveOver(box);
        QCOMPARE(m_label->text(), QStringLiteral("box"));
        moveOver(m_search);
        QCOMPARE(m_label->text(), QStringLiteral("tag text"));
        // Where the box hears of the leave only from its poll, the leave
        // comes now.
        Q_EMIT box->MouseOut();
        QTest::qWait(50);
        QVERIFY(m_label->isVisible());
        QCOMPARE(m_label->text(), QStringLiteral("tag text"));
        // Its own leave still hides it.
        moveTo(QPoint(200, 5));
        QVERIFY(!m_label->isVisible());
    }

    void onlyControlsThatAskForItRenewOnMoves_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("everyMove");
        QTest::newRow("the check box renews on every move") << "box" << true;
        QTest::newRow("a button asked to renews on every move") << "button" << true;
        QTest::newRow("a button renews on coming over it only") << "button" << false;
    }
    void onlyControlsThatAskForItRenewOnMoves()
    {
        QFETCH(QString, control);
        QFETCH(bool, everyMove);
        QWidget *hinted = nullptr;
        if (control == QLatin1String("box")) {
            auto *box = new xpcheckbox(m_window);
            box->setProperty(ControlProperty::Hint, QStringLiteral("word mode"));
            m_hints->add(box);
            hinted = box;
        } else {
            auto *button = new XpB(m_window);
            button->setProperty(ControlProperty::Hint, QStringLiteral("word mode"));
            m_hints->add(button, QString(),
                         everyMove ? HoverHints::Renewal::OnEveryMove : HoverHints::Renewal::OnEnter);
            hinted = button;
        }
        hinted->setGeometry(110, 40, 17, 17);
        hinted->show();
        moveOver(hinted);
        QCOMPARE(m_label->text(), QStringLiteral("word mode"));
        tick(m_timer, 3);
        moveTo(centreOf(hinted) + QPoint(1, 1));
        QCOMPARE(m_hints->hintTicks(), everyMove ? 0.0f : 3.0f);
        tick(m_timer);
        // The fourth tick since the hint last started hides it.
        QCOMPARE(m_label->isVisible(), everyMove);
    }

    // The box says the pointer has gone when its poll finds it elsewhere.
    void leavingTheBoxHidesTheHintAtItsNextPoll()
    {
        auto *box = new xpcheckbox(m_window);
        box->setGeometry(110, 40, 17, 17);
        box->show();
        m_hints->add(box, QStringLiteral("fixed"));
        moveOver(box);
        QCOMPARE(m_label->text(), QStringLiteral("fixed"));
        moveTo(QPoint(200, 5));
        QTRY_VERIFY(!m_label->isVisible());
        QVERIFY(m_timer->isActive());
    }

    void aDisabledControlShowsNoHint()
    {
        m_paste->setEnabled(false);
        moveOver(m_paste);
        QVERIFY(!m_label->isVisible());
        auto *box = new xpcheckbox(m_window);
        box->setGeometry(110, 40, 17, 17);
        box->setEnabled(false);
        box->show();
        m_hints->add(box, QStringLiteral("fixed"));
        moveOver(box);
        QVERIFY(!m_label->isVisible());
    }

    void aButtonCanRenewOnEveryMoveToo()
    {
        auto *button = new XpB(m_window);
        button->setGeometry(100, 40, 25, 23);
        button->show();
        m_hints->add(button, QStringLiteral("moves"), HoverHints::Renewal::OnEveryMove);
        moveOver(button);
        tick(m_timer, 3);
        moveTo(centreOf(button) + QPoint(1, 0));
        QCOMPARE(m_hints->hintTicks(), 0.0f);
    }

private:
    QPoint centreOf(QWidget *w) const { return w->geometry().center(); }
    void moveTo(QPoint p) const { QTest::mouseMove(m_window->windowHandle(), p); }
    void moveOver(QWidget *w) const { moveTo(centreOf(w)); }

    PointerFollower m_pointer;
    QWidget *m_window = nullptr;
    QLabel *m_label = nullptr;
    QTimer *m_timer = nullptr;
    XpB *m_paste = nullptr;
    XpB *m_save = nullptr;
    XpB *m_search = nullptr;
    HoverHints *m_hints = nullptr;
};

QTEST_MAIN(TestHoverHints)
#include "tst_hoverhints.moc"
