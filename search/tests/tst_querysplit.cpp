#include "search/fieldreader.h"
#include "search/querysplit.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestQuerySplit : public QObject
{
    Q_OBJECT

    static QStringList items(const ItemTable &t)
    {
        QStringList out;
        for (int i = 1; i <= t.count; ++i)
            out.append(t.slot[i]);
        return out;
    }

private Q_SLOTS:
    void splitsTypicalQueries_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("phrases");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("three words") << QStringLiteral("коротк лин жизн")
                                     << QStringList{QStringLiteral("коротк лин жизн")}
                                     << QStringList{QStringLiteral("коротк"), QStringLiteral("лин"),
                                                    QStringLiteral("жизн")};
        QTest::newRow("comma") << QStringLiteral("линия жизни, ум")
                               << QStringList{QStringLiteral("линия жизни"), QStringLiteral("ум")}
                               << QStringList{QStringLiteral("линия"), QStringLiteral("жизни"), QString(),
                                              QStringLiteral("ум")};
        QTest::newRow("two blanks") << QStringLiteral("линия  жизни") << QStringList{QStringLiteral("линия  жизни")}
                                    << QStringList{QStringLiteral("линия"), QString(), QStringLiteral("жизни")};
        QTest::newRow("trailing blanks dropped")
            << QStringLiteral("линия ,ум  ") << QStringList{QStringLiteral("линия"), QStringLiteral("ум")}
            << QStringList{QStringLiteral("линия"), QString(), QStringLiteral("ум"), QString(), QString()};
        QTest::newRow("quoted phrase keeps its comma")
            << QStringLiteral("\"ум, линия\" tail, жизнь")
            << QStringList{QStringLiteral("ум, линия"), QStringLiteral("жизнь")}
            << QStringList{QStringLiteral("ум,,линия"), QStringLiteral("tail"), QString(), QStringLiteral("жизнь")};
        QTest::newRow("unclosed quote runs to the end")
            << QStringLiteral("\"ум, линия") << QStringList{QStringLiteral("ум, линия")}
            << QStringList{QStringLiteral("ум,,линия")};
        QTest::newRow("commas only") << QStringLiteral(",,") << QStringList{QString(), QString(), QString()}
                                     << QStringList{QString(), QString(), QString()};
        QTest::newRow("blanks only") << QStringLiteral("   ") << QStringList{QString()}
                                     << QStringList{QString(), QString(), QString(), QString()};
        QTest::newRow("quote inside a field is kept")
            << QStringLiteral("ум\"ный") << QStringList{QStringLiteral("ум\"ный")}
            << QStringList{QStringLiteral("ум\"ный")};
    }
    void splitsTypicalQueries()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, phrases);
        QFETCH(QStringList, words);
        QCOMPARE(items(QuerySplit::Do_P(query)), phrases);
        QCOMPARE(items(QuerySplit::Do_S(query)), words);
    }

    void slotZeroStaysEmpty()
    {
        const ItemTable t = QuerySplit::Do_S(QStringLiteral("линия жизни"));
        QVERIFY(t.slot[0].isEmpty());
        QCOMPARE(t.count, 2);
        QVERIFY(t.slot[3].isEmpty());
    }

    void onlyTheFirstHundredItemsAreUsed()
    {
        QStringList many;
        for (int i = 1; i <= 150; ++i)
            many.append(QStringLiteral("фраза%1").arg(i));
        const ItemTable t = QuerySplit::Do_P(many.join(u','));
        QCOMPARE(t.count, 100);
        QCOMPARE(t.slot[100], QStringLiteral("фраза100"));
    }

    void aTenThousandWordQueryIsCut()
    {
        QStringList many(10000, QStringLiteral("слово"));
        const ItemTable t = QuerySplit::Do_S(many.join(u' '));
        QCOMPARE(t.count, 100);
        QCOMPARE(t.slot[1], QStringLiteral("слово"));
    }

    void lineBreaksEndFields()
    {
        QCOMPARE(FieldReader::read(u"ум\r\nлиния\nжизнь"),
                 (QStringList{QStringLiteral("ум"), QStringLiteral("линия"), QStringLiteral("жизнь")}));
        QCOMPARE(FieldReader::read(u"ум\r\n"), QStringList{QStringLiteral("ум")});
    }

    // Splitting a query leaves no file behind, neither in the current folder
    // nor beside the program.
    void nothingIsWritten()
    {
        QTemporaryDir current;
        QVERIFY(current.isValid());
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(current.path()));
        QuerySplit::Do_S(QStringLiteral("линия жизни"));
        QuerySplit::Do_P(QStringLiteral("линия жизни"));
        QVERIFY(QDir::setCurrent(before));
        QVERIFY(QDir(current.path()).isEmpty());
        QVERIFY(!QFile::exists(QCoreApplication::applicationDirPath() + QStringLiteral("/search.ini")));
    }
};

QTEST_GUILESS_MAIN(TestQuerySplit)
#include "tst_querysplit.moc"
