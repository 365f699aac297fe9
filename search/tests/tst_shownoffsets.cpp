#include "platform/linebreaks.h"
#include "search/highlights.h"
#include "search/querysplit.h"
#include "search/shownoffsets.h"

#include <QTest>

class TestShownOffsets : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Each place of the article's text covers the same characters in the
    // view's text, whatever feeds the view put in, and only those feeds more.
    void placesCoverTheSameCharacters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qsizetype>("max"); // the view's longest line
        QTest::addColumn<QString>("query"); // phrase mode
        const QString words = QStringLiteral("абв ").repeated(10);
        QTest::newRow("phrase across a break")
            << words + QStringLiteral("линия жизни ") + words << qsizetype(46) << QStringLiteral("линия жизни");
        QTest::newRow("word broken inside") << QString(18, u'ж') + QStringLiteral("хиромантия") + QString(30, u'ж')
                                            << qsizetype(20) << QStringLiteral("хиромантия");
        // A line feed of the text's own where the view was about to break.
        QTest::newRow("own line feed at a break")
            << QString(9, u'ж') + QStringLiteral(" \nлиния жизни ") + QString(30, u'ж') + QStringLiteral(" линия жизни")
            << qsizetype(10) << QStringLiteral("линия жизни");
        QTest::newRow("CR LF lines") << (QStringLiteral("линия жизни\r\n") + words).repeated(3) << qsizetype(15)
                                     << QStringLiteral("жизни");
        QTest::newRow("no break") << QStringLiteral("линия жизни") << qsizetype(2000) << QStringLiteral("линия");
    }
    void placesCoverTheSameCharacters()
    {
        QFETCH(QString, text);
        QFETCH(qsizetype, max);
        QFETCH(QString, query);
        const QString shown = LineBreaks::bound(text, max);
        if (max < text.size())
            QVERIFY(shown.size() > text.size());
        const ShownOffsets offsets(text, shown);
        QVERIFY(offsets.matches());
        QCOMPARE(offsets.shownLength(), text.size());
        const Highlights places = Highlights::compute(text, QuerySplit::Do_P(query), false, 100);
        QVERIFY(!places.marks.isEmpty());
        const Highlights inView = offsets.map(places);
        QCOMPARE(inView.found, places.found);
        QCOMPARE(inView.marks.size(), places.marks.size());
        for (qsizetype i = 0; i < places.marks.size(); ++i) {
            const auto &m = places.marks[i];
            const auto &v = inView.marks[i];
            QCOMPARE(shown.mid(v.offset, v.length).remove(u'\n'), text.mid(m.offset, m.length));
            QCOMPARE(v.length - m.length,
                     shown.mid(v.offset, v.length).count(u'\n') - text.mid(m.offset, m.length).count(u'\n'));
            QCOMPARE(inView.jumps[i], v.offset);
        }
    }

    // A view that shows a beginning only: places beyond it are not shown nor
    // counted; a text read otherwise than the view's is taken as it is.
    void aBeginningOrAnotherText()
    {
        const QString text = QStringLiteral("линия жизни, и линия жизни");
        const Highlights places = Highlights::compute(text, QuerySplit::Do_P(QStringLiteral("линия")), false, 100);
        const ShownOffsets beginning(text, text.left(12));
        QVERIFY(beginning.matches());
        QCOMPARE(beginning.map(places).jumps, QList<qint64>{0});
        QCOMPARE(beginning.map(places).found, 1);
        const ShownOffsets other(text, QStringLiteral("совсем другое"));
        QVERIFY(!other.matches());
    }
};

QTEST_GUILESS_MAIN(TestShownOffsets)
#include "tst_shownoffsets.moc"
