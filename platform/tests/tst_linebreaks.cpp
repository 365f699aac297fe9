#include "platform/linebreaks.h"
#include "platform/tests/fuzzchecks.h"

#include <QTest>

class TestLineBreaks : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Bounds below two once divided by zero, and a bound of one let a line
    // take two characters.
    void tinyBounds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qsizetype>("max");
        QTest::addColumn<QString>("bounded");
        QTest::newRow("bound of one") << QStringLiteral("abc") << qsizetype(1) << QStringLiteral("a\nb\nc");
        QTest::newRow("bound of zero") << QStringLiteral("abc") << qsizetype(0) << QStringLiteral("a\nb\nc");
        QTest::newRow("a pair stays whole")
            << QStringLiteral("a\U0001F590b") << qsizetype(1) << QStringLiteral("a\n\U0001F590\nb");
        QTest::newRow("own breaks stay") << QStringLiteral("ab\r\ncd") << qsizetype(1)
                                         << QStringLiteral("a\nb\r\nc\nd");
        QTest::newRow("bound of two") << QStringLiteral("abcde") << qsizetype(2) << QStringLiteral("ab\ncd\ne");
    }
    void tinyBounds()
    {
        QFETCH(QString, text);
        QFETCH(qsizetype, max);
        QFETCH(QString, bounded);
        bool broken = false;
        QCOMPARE(LineBreaks::bound(text, max, &broken), bounded);
        QVERIFY(broken);
    }

    // The fuzz target's seed corpus, through the same check.
    void fuzzSeedsPass()
    {
        QCOMPARE(
            FuzzChecks::failingSeeds(QStringLiteral(PALMORA_TEST_DATA_DIR "/fuzz/linebreaks"), FuzzChecks::lineBreaks),
            QStringList());
    }
};

QTEST_APPLESS_MAIN(TestLineBreaks)
#include "tst_linebreaks.moc"
