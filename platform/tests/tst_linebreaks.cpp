#include "platform/linebreaks.h"

#include <QTest>

class TestLineBreaks : public QObject
{
    Q_OBJECT
private Q_SLOTS:
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
};

QTEST_GUILESS_MAIN(TestLineBreaks)
#include "tst_linebreaks.moc"
