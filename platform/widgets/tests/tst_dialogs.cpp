#include "platform/widgets/dialogs.h"

#include <QTest>

class TestDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The program's filters as Qt's file dialog takes them, each pattern shown once.
    void qtFilter_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("qt");
        QTest::newRow("open photo: pattern already in the description")
            << QStringLiteral("Image files (*.*)|*.*") << QStringLiteral("Image files (*.*)");
        QTest::newRow("save photo: description differs from the pattern")
            << QStringLiteral("*.jpeg|*.jpg") << QStringLiteral("*.jpeg (*.jpg)");
        QTest::newRow("save text: the description is the pattern")
            << QStringLiteral("*.txt|*.txt") << QStringLiteral("*.txt");
        QTest::newRow("description without the pattern")
            << QStringLiteral("Text|*.txt") << QStringLiteral("Text (*.txt)");
        QTest::newRow("several patterns")
            << QStringLiteral("Pictures|*.png;*.jpg") << QStringLiteral("Pictures (*.png *.jpg)");
        QTest::newRow("two entries") << QStringLiteral("Text (*.txt)|*.txt|All|*.*")
                                     << QStringLiteral("Text (*.txt);;All (*.*)");
        QTest::newRow("pattern alone") << QStringLiteral("*.txt") << QStringLiteral("*.txt");
        QTest::newRow("empty") << QString() << QString();
    }
    void qtFilter()
    {
        QFETCH(QString, filter);
        QFETCH(QString, qt);
        QCOMPARE(Dialogs::toQtFilter(filter), qt);
    }
};

QTEST_GUILESS_MAIN(TestDialogs)
#include "tst_dialogs.moc"
