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

    // A long line breaks where a word ends near the bound, never inside a
    // word that has such a place near it; only a line without one breaks at
    // the bound. Nothing of the text is lost or changed.
    void breaksWhereAWordEnds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("firstLineEnd"); // what the first line ends with
        const QString letters(95, u'ж');
        QTest::newRow("blanks") << (QStringLiteral("хиромантия ").repeated(20)) << QStringLiteral("хиромантия ");
        QTest::newRow("hyphens") << (QStringLiteral("хиромантия-").repeated(20)) << QStringLiteral("хиромантия-");
        QTest::newRow("slashes") << (QStringLiteral("хиромантия/").repeated(20)) << QStringLiteral("хиромантия/");
        QTest::newRow("commas") << (QStringLiteral("хиромантия,").repeated(20)) << QStringLiteral("хиромантия,");
        QTest::newRow("apostrophes are inside words")
            << (QStringLiteral("д'") + letters).repeated(3) << letters + QStringLiteral("д'ж");
        QTest::newRow("no place at all") << QString(250, u'ж') << QString(100, u'ж');
    }
    void breaksWhereAWordEnds()
    {
        QFETCH(QString, text);
        QFETCH(QString, firstLineEnd);
        bool broken = false;
        const QString shown = LineBreaks::bound(text, 100, &broken);
        QVERIFY(broken);
        QCOMPARE(QString(shown).remove(u'\n'), text);
        const QStringList lines = shown.split(u'\n');
        for (const QString &line : lines)
            QVERIFY2(line.size() <= 100, qPrintable(line));
        QVERIFY2(lines.first().endsWith(firstLineEnd), qPrintable(lines.first()));
        QVERIFY2(lines.first().size() >= 90 || firstLineEnd.size() < 10, qPrintable(lines.first()));
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
