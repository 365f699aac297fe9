#include "platform/eventloop.h"
#include "platform/testsupport/temporaryinstallation.h"
#include "questionnaire/questionnaireengine.h"
#include "questionnaire/tests/fakequestionnaireview.h"
#include "questionnaire/tests/memoryworkbook.h"
#include "search/knowledgebase.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QTest>

using Sheet = MemoryWorkbooks::Sheet;
using Step = FakeQuestionnaireView::Step;

Q_DECLARE_METATYPE(Sheet)
Q_DECLARE_METATYPE(QList<Step>)

// The questionnaire run without a window: the engine against a scripted view.
class TestQuestionnaireEngine : public QObject
{
    Q_OBJECT

private:
    void makeAnketa(const QStringList &files)
    {
        QDir root(m_install->program.path());
        QVERIFY(root.mkpath(QStringLiteral("Anketa")));
        for (const QString &name : files) {
            QFile file(root.filePath(QStringLiteral("Anketa/") + name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
    }

    std::unique_ptr<TemporaryInstallation> m_install;
    FakeQuestionnaireView m_view;
    std::unique_ptr<QuestionnaireEngine> m_engine;
    MemoryWorkbooks m_books;

    void makeEngine(QuestionnaireEngine::ReaderFactory readers)
    {
        m_engine = std::make_unique<QuestionnaireEngine>(m_view, m_install->program.filePath(QStringLiteral("Anketa")),
                                                         std::move(readers));
        m_view.engine = m_engine.get();
    }

private Q_SLOTS:
    void init()
    {
        m_install = std::make_unique<TemporaryInstallation>();
        QVERIFY(m_install->isValid());
        m_view = FakeQuestionnaireView();
        m_books = MemoryWorkbooks();
        makeEngine([this] { return m_books.make(); });
    }
    void cleanup()
    {
        m_engine.reset();
        m_install.reset();
    }

    void questionsAsked_data()
    {
        QTest::addColumn<Sheet>("sheet");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<QStringList>("answers");

        QTest::newRow("example") << exampleSheet()
                                 << QStringList{QStringLiteral("Вопрос 1"), QStringLiteral("Вопрос 2")}
                                 << QStringList{QStringLiteral("Ответ A|Ответ B"), QStringLiteral("Ответ A")};
        QTest::newRow("title and heading rows")
            << Sheet{{QStringLiteral("Анкета")},
                     {QStringLiteral("Вопрос"), QString(), QStringLiteral("Результат")},
                     {QString(), QStringLiteral("ответ без вопроса"), QStringLiteral("r")},
                     {QStringLiteral("Q"), QStringLiteral("a"), QStringLiteral("r")},
                     {QStringLiteral("quit")}}
            << QStringList{QStringLiteral("Q")} << QStringList{QStringLiteral("a")};
        QTest::newRow("column 1 of spaces is empty")
            << Sheet{{QStringLiteral("Q"), QStringLiteral("a"), QStringLiteral("r")},
                     {QStringLiteral("   "), QStringLiteral("b"), QStringLiteral("r")},
                     {QStringLiteral("quit")}}
            << QStringList{QStringLiteral("Q")} << QStringList{QStringLiteral("a|b")};
        QTest::newRow("end marker in any case")
            << Sheet{{QStringLiteral("Q1"), QStringLiteral("a"), QStringLiteral("r")},
                     {QStringLiteral("QuIt")},
                     {QStringLiteral("Q2"), QStringLiteral("b"), QStringLiteral("r")}}
            << QStringList{QStringLiteral("Q1")} << QStringList{QStringLiteral("a")};
        QTest::newRow("end marker with more in the cell is a question")
            << Sheet{{QStringLiteral("Q1"), QStringLiteral("a"), QStringLiteral("r")},
                     {QStringLiteral("quit?"), QStringLiteral("b"), QStringLiteral("r")},
                     {QStringLiteral("quit")}}
            << QStringList{QStringLiteral("Q1"), QStringLiteral("quit?")}
            << QStringList{QStringLiteral("a"), QStringLiteral("b")};
        QTest::newRow("end marker only looked for after a block")
            << Sheet{{QStringLiteral("quit")},
                     {QStringLiteral("Q1"), QStringLiteral("a"), QStringLiteral("r")},
                     {QStringLiteral("quit")}}
            << QStringList{QStringLiteral("Q1")} << QStringList{QStringLiteral("a")};
        QTest::newRow("rows without an answer give none")
            << Sheet{{QStringLiteral("Q1"), QStringLiteral("a"), QStringLiteral("r")},
                     {QString(), QString(), QStringLiteral("r")},
                     {QString(), QStringLiteral("c"), QString()},
                     {QStringLiteral("quit")}}
            << QStringList{QStringLiteral("Q1")} << QStringList{QStringLiteral("a|c")};
        QTest::newRow("no end marker: ends at the last row")
            << Sheet{{QStringLiteral("Q1"), QStringLiteral("a"), QStringLiteral("r")},
                     {QString(), QStringLiteral("b"), QStringLiteral("r")},
                     {QStringLiteral("Q2"), QStringLiteral("c"), QStringLiteral("r")}}
            << QStringList{QStringLiteral("Q1"), QStringLiteral("Q2")}
            << QStringList{QStringLiteral("a|b"), QStringLiteral("c")};
        QTest::newRow("no end marker: trailing rows without a question")
            << Sheet{{QStringLiteral("Q1"), QStringLiteral("a"), QStringLiteral("r")},
                     {QStringLiteral("заметка")},
                     {QString()}}
            << QStringList{QStringLiteral("Q1")} << QStringList{QStringLiteral("a")};
        QTest::newRow("empty sheet") << Sheet{} << QStringList{} << QStringList{};
    }
    void questionsAsked()
    {
        QFETCH(Sheet, sheet);
        QFETCH(QStringList, questions);
        QFETCH(QStringList, answers);
        makeAnketa({QStringLiteral("Тема.xls")});
        m_books.sheets[QStringLiteral("Тема.xls")] = sheet;
        m_view.steps << Step{{0}};
        for (int i = 0; i < questions.size(); ++i)
            m_view.steps << Step{};

        m_engine->Doing();

        QVERIFY(!m_view.ranOut);
        QStringList asked;
        for (int i = 0; i < questions.size(); ++i)
            asked << QStringLiteral("question: %1 [%2]").arg(questions[i], answers[i]);
        QCOMPARE(m_view.shown,
                 QStringList{QStringLiteral("topics: Тема")} + QStringList{QStringLiteral("wait")} + asked
                     + QStringList{QStringLiteral("hidden")});
        QVERIFY(!m_engine->isRunning());
        QVERIFY(m_view.results.isEmpty());
    }

    void chosenAnswersGiveTheirResults_data()
    {
        QTest::addColumn<QList<Step>>("answers");
        QTest::addColumn<QStringList>("results");
        QTest::newRow("an answer without a result")
            << QList<Step>{{}, {{0}}} << QStringList{QStringLiteral("(нет данных)")};
        QTest::newRow("two answers in list order")
            << QList<Step>{{{1, 0}}, {}} << QStringList{QStringLiteral("Результат A"), QStringLiteral("Результат B")};
        QTest::newRow("nothing chosen") << QList<Step>{{}, {}} << QStringList{};
        QTest::newRow("Хватит keeps what was given")
            << QList<Step>{{{0}}, {{0}, true}} << QStringList{QStringLiteral("Результат A")};
    }
    void chosenAnswersGiveTheirResults()
    {
        QFETCH(QList<Step>, answers);
        QFETCH(QStringList, results);
        makeAnketa({QStringLiteral("Тема.xls")});
        m_books.sheets[QStringLiteral("Тема.xls")] = exampleSheet();
        m_view.steps << Step{{0}} << answers;
        m_engine->Doing();
        QVERIFY(!m_view.ranOut);
        QCOMPARE(m_view.results, results);
        QVERIFY(m_engine->StopFlag);
        QCOMPARE(m_view.shown.last(), QStringLiteral("hidden"));
    }

    void topicsComeInTheOrderOfTheArticles()
    {
        // Where case-blind name order and the file system's order part ways.
        const QStringList names = {QStringLiteral("ab.xls"), QStringLiteral("a_b.xls"), QStringLiteral("Б.xls"),
                                   QStringLiteral("б2.xls"), QStringLiteral("A.xls"),   QStringLiteral("a[1].xls")};
        makeAnketa(names);
        QDir root(m_install->program.path());
        QVERIFY(root.mkpath(QStringLiteral("Data")));
        for (const QString &name : names) {
            QFile file(root.filePath(QStringLiteral("Data/") + name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QStringList articles;
        for (const KnowledgeBase::Entry &entry : KnowledgeBase(root.filePath(QStringLiteral("Data"))).entries())
            articles << entry.name.chopped(4);
        QCOMPARE(m_engine->topics(), articles);
        QCOMPARE(articles.first(), QStringLiteral("A"));
    }

    void chosenTopicsRunInListOrder()
    {
        makeAnketa({QStringLiteral("Б.xls"), QStringLiteral("А.XLS")});
        m_books.sheets[QStringLiteral("А.XLS")] = {
            {QStringLiteral("Вопрос А"), QStringLiteral("а"), QStringLiteral("ра")}};
        m_books.sheets[QStringLiteral("Б.xls")] = {
            {QStringLiteral("Вопрос Б"), QStringLiteral("б"), QStringLiteral("рб")}};
        m_view.steps << Step{{1, 0}} << Step{{0}} << Step{{0}};
        m_engine->Doing();
        QVERIFY(!m_view.ranOut);
        QCOMPARE(m_view.shown.first(), QStringLiteral("topics: А|Б"));
        QCOMPARE(m_books.opened, (QStringList{QStringLiteral("А.XLS"), QStringLiteral("Б.xls")}));
        QCOMPARE(m_view.results, (QStringList{QStringLiteral("ра"), QStringLiteral("рб")}));
    }

    void unreadableWorkbookEndsTheRunAfterHidingTheWindow()
    {
        makeAnketa({QStringLiteral("А.xls"), QStringLiteral("Б.xls")});
        m_books.sheets[QStringLiteral("Б.xls")] = exampleSheet();
        m_view.steps << Step{{0, 1}};
        m_engine->Doing();
        QCOMPARE(m_view.reports, QStringList{QStringLiteral("А: Файл не найден.")});
        QCOMPARE(m_books.opened, QStringList{QStringLiteral("А.xls")});
        QCOMPARE(m_view.shown,
                 (QStringList{QStringLiteral("topics: А|Б"), QStringLiteral("wait"), QStringLiteral("hidden"),
                              QStringLiteral("hidden")}));
    }

    // Why the workbook was refused is logged, for whoever turns the questionnaire log on.
    void aRefusedWorkbookIsLoggedWithTheReadersReason()
    {
        makeAnketa({QStringLiteral("А.xls")});
        m_view.steps << Step{{0}};
        QLoggingCategory::setFilterRules(QStringLiteral("palmora.questionnaire.info=true"));
        QTest::ignoreMessage(QtInfoMsg,
                             QRegularExpression(QStringLiteral("^workbook refused: .*/Anketa/А\\.xls - "
                                                               "Файл не найден\\.$")));
        m_engine->Doing();
        QLoggingCategory::setFilterRules(QString());
        QCOMPARE(m_view.reports, QStringList{QStringLiteral("А: Файл не найден.")});
    }

    void aSecondStartWhileWaitingOnlyBringsTheRunForward()
    {
        makeAnketa({QStringLiteral("Тема.xls")});
        m_books.sheets[QStringLiteral("Тема.xls")] = exampleSheet();
        m_view.steps << Step{{0}} << Step{} << Step{};
        // The user starts the questionnaire again while the run is under way.
        bool nested = false;
        makeEngine([this, &nested] {
            if (m_engine->isRunning()) {
                m_engine->Doing();
                nested = !m_engine->isRunning();
            }
            return m_books.make();
        });
        m_engine->Doing();
        QVERIFY(!nested);
        QCOMPARE(m_view.broughtToFront, 1);
        QCOMPARE(m_books.readersMade, 1);
    }

    void endingTheProgramEndsTheRun()
    {
        makeAnketa({QStringLiteral("Тема.xls")});
        m_books.sheets[QStringLiteral("Тема.xls")] = exampleSheet();
        // An answer is chosen, but the program ends before "Далее" is taken.
        m_view.steps << Step{{0}} << Step{{0}};
        makeEngine([this] {
            EventLoop::requestQuit();
            return m_books.make();
        });
        m_engine->Doing();
        QVERIFY(!m_view.ranOut);
        QVERIFY(!m_engine->isRunning());
        QCOMPARE(m_view.shown.last(), QStringLiteral("hidden"));
        QVERIFY(m_view.results.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestQuestionnaireEngine)
#include "tst_questionnaireengine.moc"
