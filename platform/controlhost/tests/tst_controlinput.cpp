#include "platform/controlhost/controlinput.h"

#include <QTest>

class TestControlInput : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void buttonMask_data()
    {
        QTest::addColumn<Qt::MouseButtons>("buttons");
        QTest::addColumn<int>("mask");
        QTest::newRow("none") << Qt::MouseButtons() << 0;
        QTest::newRow("left") << Qt::MouseButtons(Qt::LeftButton) << 1;
        QTest::newRow("right") << Qt::MouseButtons(Qt::RightButton) << 2;
        QTest::newRow("middle") << Qt::MouseButtons(Qt::MiddleButton) << 4;
        QTest::newRow("left and right") << (Qt::LeftButton | Qt::RightButton) << 3;
        QTest::newRow("back button has no bit") << Qt::MouseButtons(Qt::BackButton) << 0;
    }
    void buttonMask()
    {
        QFETCH(Qt::MouseButtons, buttons);
        QFETCH(int, mask);
        QCOMPARE(ControlInput::buttonMask(buttons), mask);
    }

    void shiftMask_data()
    {
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("mask");
        QTest::newRow("none") << Qt::KeyboardModifiers() << 0;
        QTest::newRow("shift") << Qt::KeyboardModifiers(Qt::ShiftModifier) << 1;
        QTest::newRow("ctrl") << Qt::KeyboardModifiers(Qt::ControlModifier) << 2;
        QTest::newRow("alt") << Qt::KeyboardModifiers(Qt::AltModifier) << 4;
        QTest::newRow("all three") << (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier) << 7;
        QTest::newRow("keypad has no bit") << Qt::KeyboardModifiers(Qt::KeypadModifier) << 0;
    }
    void shiftMask()
    {
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, mask);
        QCOMPARE(ControlInput::shiftMask(modifiers), mask);
    }
};

QTEST_MAIN(TestControlInput)
#include "tst_controlinput.moc"
