#include "platform/controlhost/pointerprobe.h"

#include <QCursor>
#include <QGuiApplication>
#include <QTest>

class TestPointerProbe : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void followsThePlatformCursorByDefault()
    {
        QCursor::setPos(QPoint(37, 41));
        QCOMPARE(PointerProbe::position(), QCursor::pos());
    }

    void replacedSourceIsAskedUntilRemoved()
    {
        QPoint where(500, -20);
        PointerProbe::setSource([&where] { return where; });
        QCOMPARE(PointerProbe::position(), QPoint(500, -20));
        where = QPoint(3, 4);
        QCOMPARE(PointerProbe::position(), QPoint(3, 4));
        PointerProbe::setSource({});
        QCOMPARE(PointerProbe::position(), QCursor::pos());
    }
};

QTEST_MAIN(TestPointerProbe)
#include "tst_pointerprobe.moc"
