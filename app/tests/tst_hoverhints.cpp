#include "app/hoverhints.h"

#include <QCheckBox>
#include <QEnterEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
void enter(QWidget *w)
{
    QEnterEvent e(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(w, &e);
}
void leave(QWidget *w)
{
    QEvent e(QEvent::Leave);
    QCoreApplication::sendEvent(w, &e);
}
} // namespace

class TestHoverHints : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_window = new QWidget;
        m_label = new QLabel(m_window);
        m_label->hide();
        m_timer = new QTimer(m_window);
        m_timer->setInterval(1000);
        m_paste = new QPushButton(m_window);
        m_save = new QPushButton(m_window);
        m_search = new QPushButton(m_window);
        m_search->setProperty("Tag", QStringLiteral("tag text"));
        m_hints = new HoverHints(m_label, m_timer, m_window);
        m_hints->add(m_paste, QStringLiteral("Вставить из буфера"));
        m_hints->add(m_save, QStringLiteral("Сoхранить картинку"));
        m_hints->add(m_search, QStringLiteral("unused"));
        m_window->show();
    }
    void cleanup() { delete m_window; }

    void showsAtOnceAndHidesOnTheFourthTick()
    {
        enter(m_search);
        QVERIFY(m_label->isVisible());
        QCOMPARE(m_label->text(), QStringLiteral("tag text"));
        for (int i = 0; i < 3; ++i)
            QMetaObject::invokeMethod(m_timer, "timeout", Qt::DirectConnection);
        QVERIFY(m_label->isVisible());
        QMetaObject::invokeMethod(m_timer, "timeout", Qt::DirectConnection);
        QVERIFY(!m_label->isVisible());
        QVERIFY(!m_timer->isActive());
    }

    void movingToAnotherButtonChangesTheTextAndRestartsTheCount()
    {
        enter(m_paste);
        QMetaObject::invokeMethod(m_timer, "timeout", Qt::DirectConnection);
        QMetaObject::invokeMethod(m_timer, "timeout", Qt::DirectConnection);
        leave(m_paste);
        enter(m_save);
        QCOMPARE(m_label->text(), QStringLiteral("Сoхранить картинку"));
        QCOMPARE(m_hints->hintTicks(), 0.0f);
        for (int i = 0; i < 3; ++i)
            QMetaObject::invokeMethod(m_timer, "timeout", Qt::DirectConnection);
        QVERIFY(m_label->isVisible());
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
        for (int i = 0; i < 3; ++i)
            QMetaObject::invokeMethod(m_timer, "timeout", Qt::DirectConnection);
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &move);
        QCOMPARE(m_hints->hintTicks(), everyMove ? 0.0f : 3.0f);
        QMetaObject::invokeMethod(m_timer, "timeout", Qt::DirectConnection);
        // The fourth tick since the hint last started hides it.
        QCOMPARE(m_label->isVisible(), everyMove);
    }

    void leavingHidesAtOnceButKeepsTheTimer()
    {
        enter(m_paste);
        leave(m_paste);
        QVERIFY(!m_label->isVisible());
        QVERIFY(m_timer->isActive());
    }

private:
    QWidget *m_window = nullptr;
    QLabel *m_label = nullptr;
    QTimer *m_timer = nullptr;
    QPushButton *m_paste = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_search = nullptr;
    HoverHints *m_hints = nullptr;
};

QTEST_MAIN(TestHoverHints)
#include "tst_hoverhints.moc"
