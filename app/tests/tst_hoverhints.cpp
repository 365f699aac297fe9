#include "app/hoverhints.h"

#include "controls/xpb.h"

#include <QAccessible>
#include <QCheckBox>
#include <QEnterEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

namespace {
// The check box stands in for the word-mode box, watched through Qt's own
// enter and leave.
void enter(QWidget *w)
{
    QEnterEvent e(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(w, &e);
}
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
        m_search->setProperty("Tag", QStringLiteral("tag text"));
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

    void aButtonWithoutCaptionIsNamedByItsHint_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("name");
        QTest::newRow("fixed text") << 0 << QStringLiteral("Вставить из буфера");
        QTest::newRow("tag") << 2 << QStringLiteral("tag text");
    }
    void aButtonWithoutCaptionIsNamedByItsHint()
    {
        QFETCH(int, button);
        QFETCH(QString, name);
        XpB *buttons[] = {m_paste, m_save, m_search};
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(buttons[button]);
        QVERIFY(iface);
        QCOMPARE(iface->text(QAccessible::Name), name);
    }

    void onlyControlsThatAskForItRenewOnMoves_data()
    {
        QTest::addColumn<bool>("everyMove");
        QTest::newRow("renews on every move") << true;
        QTest::newRow("renews on entering only") << false;
    }
    void onlyControlsThatAskForItRenewOnMoves()
    {
        QFETCH(bool, everyMove);
        auto *box = new QCheckBox(m_window);
        box->setProperty("Tag", QStringLiteral("word mode"));
        box->show();
        m_hints->add(box, QString(), everyMove ? HoverHints::Renewal::OnEveryMove : HoverHints::Renewal::OnEnter);
        enter(box);
        tick(m_timer, 3);
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &move);
        QCOMPARE(m_hints->hintTicks(), everyMove ? 0.0f : 3.0f);
        tick(m_timer);
        // The fourth tick since the hint last started hides it.
        QCOMPARE(m_label->isVisible(), everyMove);
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
