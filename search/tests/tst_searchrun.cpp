#include "platform/textcodec.h"
#include "search/knowledgebase.h"
#include "search/querysplit.h"
#include "search/searchrun.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The run's workers finish articles in any order; what it hands on, and where
// a stop leaves it, must be what a run that visits one entry after another gives.
class TestSearchRun : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QStringList m_names;   // in visiting order
    QList<bool> m_matches; // whether each entry matches «линия жизни»

    QString data() const { return m_dir.filePath(QStringLiteral("Data")); }

    QStringList matchesAmongFirst(int k) const
    {
        QStringList out;
        for (int i = 0; i < k; ++i) {
            if (m_matches[i])
                out.append(m_names[i]);
        }
        return out;
    }

    static void addWorkerRows(const QList<int> &steps)
    {
        for (int workers : {1, 2, 8}) {
            for (int step : steps)
                QTest::addRow("%d workers, step %d", workers, step) << workers << step;
        }
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QDir().mkpath(data()));
        // Articles of very different lengths, so the workers finish out of
        // order: some long ones match only at their end.
        for (int i = 0; i < 40; ++i) {
            const QString name = QStringLiteral("%1.txt").arg(i, 2, 10, QLatin1Char('0'));
            const bool matches = i % 3 != 1;
            QString text = QString(QStringLiteral("слово ")).repeated(i % 4 == 0 ? 200000 : 10);
            text += matches ? QStringLiteral("Линия жизни.") : QStringLiteral("Жизни линия.");
            QFile f(QDir(data()).filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(TextCodec::toCp1251(text));
            m_names.append(name);
            m_matches.append(matches);
        }
        QVERIFY(QDir(data()).mkdir(QStringLiteral("40 папка")));
        m_names.append(QStringLiteral("40 папка"));
        m_matches.append(false);
    }

    void handsOnInVisitingOrderAndStopsWhereAsked_data()
    {
        QTest::addColumn<int>("workers");
        QTest::addColumn<int>("stopAt");
        addWorkerRows({1, 2, 5, 13, 40, 41});
    }
    void handsOnInVisitingOrderAndStopsWhereAsked()
    {
        QFETCH(int, workers);
        QFETCH(int, stopAt);
        SearchRun::Options options;
        options.workers = workers;
        QList<SearchRun::Step> steps;
        const QStringList found = SearchRun::run(KnowledgeBase(data()), QuerySplit::Do_S(QStringLiteral("линия жизни")),
                                                 true, 100, options, [&](const SearchRun::Step &s) {
                                                     steps.append(s);
                                                     return s.k < stopAt;
                                                 });
        QCOMPARE(found, matchesAmongFirst(stopAt));
        QCOMPARE(steps.size(), stopAt);
        for (int i = 0; i < steps.size(); ++i) {
            QCOMPARE(steps[i].k, i + 1);
            QCOMPARE(steps[i].n, int(m_names.size()));
            QCOMPARE(steps[i].name, m_names[i]);
            QCOMPARE(steps[i].matched, bool(m_matches[i]));
        }
    }

    // The flag a second press of the search button sets: nothing more is
    // handed on once it is seen, the entry it was set after included.
    void aCancelledRunHandsOnNothingMore_data()
    {
        QTest::addColumn<int>("workers");
        QTest::addColumn<int>("cancelAt");
        addWorkerRows({0, 1, 4, 17});
    }
    void aCancelledRunHandsOnNothingMore()
    {
        QFETCH(int, workers);
        QFETCH(int, cancelAt);
        SearchRun::Options options;
        options.workers = workers;
        std::atomic_bool cancel{cancelAt == 0};
        int calls = 0;
        const QStringList found = SearchRun::run(
            KnowledgeBase(data()), QuerySplit::Do_P(QStringLiteral("линия жизни")), false, 100, options,
            [&](const SearchRun::Step &s) {
                ++calls;
                if (s.k == cancelAt)
                    cancel = true;
                return true;
            },
            &cancel);
        QCOMPARE(calls, cancelAt);
        QCOMPARE(found, matchesAmongFirst(cancelAt));
    }
};

QTEST_GUILESS_MAIN(TestSearchRun)
#include "tst_searchrun.moc"
