#include "platform/eventloop.h"
#include "platform/testsupport/fakedialogs.h"
#include "platform/testsupport/temporaryinstallation.h"
#include "questionnaire/form2.h"
#include "questionnaire/tests/form2controls.h"
#include "questionnaire/tests/formscript.h"
#include "questionnaire/tests/memoryworkbook.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

using Sheet = MemoryWorkbooks::Sheet;
using Steps = QList<FormScript::Step>;

Q_DECLARE_METATYPE(Sheet)
Q_DECLARE_METATYPE(Steps)

class TestForm2 : public QObject
{
    Q_OBJECT

private:
    // An Anketa folder holding these entries (names ending in "/" are folders).
    void makeAnketa(const QStringList &entries)
    {
        QDir root(m_install->program.path());
        QVERIFY(root.mkpath(QStringLiteral("Anketa")));
        for (const QString &entry : entries) {
            if (entry.endsWith(QLatin1Char('/'))) {
                QVERIFY(root.mkpath(QStringLiteral("Anketa/") + entry));
            } else {
                QFile file(root.filePath(QStringLiteral("Anketa/") + entry));
                QVERIFY(file.open(QIODevice::WriteOnly));
            }
        }
    }
    // The window, reading its topics through readers, and the user's part in its runs.
    void makeForm(Form2::ReaderFactory readers)
    {
        m_script.reset();
        m_form = std::make_unique<Form2>(m_install->installation(), *m_dialogs, std::move(readers));
        m_form->setResultText(m_text.get());
        m_script = std::make_unique<FormScript>(m_form.get());
    }
    // Shows the window as the launch leaves it and runs the questionnaire to its end.
    void run()
    {
        m_form->show();
        m_form->Doing();
    }

    std::unique_ptr<TemporaryInstallation> m_install;
    std::unique_ptr<QPlainTextEdit> m_text;
    std::unique_ptr<Form2> m_form;
    std::unique_ptr<FormScript> m_script;
    std::unique_ptr<FakeDialogs> m_dialogs;
    MemoryWorkbooks m_books;

private Q_SLOTS:
    void init()
    {
        m_install = std::make_unique<TemporaryInstallation>();
        QVERIFY(m_install->isValid());
        m_dialogs = std::make_unique<FakeDialogs>();
        m_text = std::make_unique<QPlainTextEdit>();
        m_books = MemoryWorkbooks();
        makeForm([this] { return m_books.make(); });
    }
    void cleanup()
    {
        m_script.reset();
        m_form.reset();
        m_text.reset();
        m_install.reset();
        m_dialogs.reset();
    }

    void chosenAnswers_data()
    {
        QTest::addColumn<Sheet>("sheet");
        QTest::addColumn<Steps>("answers");
        QTest::addColumn<QString>("text");

        QTest::newRow("second question's answer without a result")
            << exampleSheet() << Steps{FormScript::next(), FormScript::next({0})} << QStringLiteral("(нет данных). ");
        QTest::newRow("two answers in list order")
            << exampleSheet() << Steps{FormScript::next({1, 0}), FormScript::next()}
            << QStringLiteral("Результат A. Результат B. ");
        QTest::newRow("nothing selected appends nothing")
            << exampleSheet() << Steps{FormScript::next(), FormScript::next()} << QString();
        QTest::newRow("every question adds its own")
            << exampleSheet() << Steps{FormScript::next({1}), FormScript::next({0})}
            << QStringLiteral("Результат B. (нет данных). ");
        QTest::newRow("Enter in the answer list acts as Далее")
            << exampleSheet()
            << Steps{[](Form2 *form) {
                         const Form2Controls controls(*form);
                         controls.List1->item(0)->setSelected(true);
                         QTest::keyClick(controls.List1, Qt::Key_Return);
                     },
                     FormScript::next()}
            << QStringLiteral("Результат A. ");
        QTest::newRow("Хватит keeps what was appended")
            << exampleSheet() << Steps{FormScript::next({0}), FormScript::stop()} << QStringLiteral("Результат A. ");
        QTest::newRow("closing the window ends the run")
            << exampleSheet() << Steps{FormScript::next({1}), [](Form2 *form) { form->close(); }}
            << QStringLiteral("Результат B. ");
    }
    void chosenAnswers()
    {
        QFETCH(Sheet, sheet);
        QFETCH(Steps, answers);
        QFETCH(QString, text);
        makeAnketa({QStringLiteral("Тема.xls")});
        m_books.sheets[QStringLiteral("Тема.xls")] = sheet;
        m_script->steps << FormScript::next({0}) << answers;

        run();

        QVERIFY(!m_script->ranOut);
        QCOMPARE(m_text->toPlainText(), text);
        QVERIFY(m_form->isHidden());
        QVERIFY(m_form->engine().StopFlag);
    }

    void resultsAppendToExistingText()
    {
        makeAnketa({QStringLiteral("Тема.xls")});
        m_books.sheets[QStringLiteral("Тема.xls")] = exampleSheet();
        m_text->setPlainText(QStringLiteral("Моя заметка. "));
        m_script->steps << FormScript::next({0}) << FormScript::next({0}) << FormScript::next();
        run();
        QCOMPARE(m_text->toPlainText(), QStringLiteral("Моя заметка. Результат A. "));
    }

    void twoRunsAccumulate()
    {
        makeAnketa({QStringLiteral("Тема.xls")});
        m_books.sheets[QStringLiteral("Тема.xls")] = exampleSheet();
        m_script->steps << FormScript::next({0}) << FormScript::next({0}) << FormScript::next() << FormScript::next({0})
                        << FormScript::next({1}) << FormScript::next({0});
        run();
        run();
        QVERIFY(!m_script->ranOut);
        QCOMPARE(m_text->toPlainText(), QStringLiteral("Результат A. Результат B. (нет данных). "));
        QCOMPARE(m_books.readersMade, 2);
    }

    void topicsListed_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("topics");

        QTest::newRow("workbooks") << QStringList{QStringLiteral("Пальцы.xls"), QStringLiteral("Линии.xls")}
                                   << QStringLiteral("Линии|Пальцы");
        QTest::newRow("a sub-folder loses its last four characters")
            << QStringList{QStringLiteral("Подпапка/")} << QStringLiteral("Подп");
        QTest::newRow("short names are listed whole")
            << QStringList{QStringLiteral("abcd"), QStringLiteral("ab/")} << QStringLiteral("ab|abcd");
        QTest::newRow("hidden entries are not listed")
            << QStringList{QStringLiteral(".скрытая.xls"), QStringLiteral("Тема.xls")} << QStringLiteral("Тема");
        QTest::newRow("empty folder") << QStringList{} << QString();
    }
    void topicsListed()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, topics);
        makeAnketa(entries);
        m_script->steps << FormScript::stop();
        run();
        QCOMPARE(m_script->lists, QStringList{topics});
    }

    void stopDuringTopicChoiceEndsTheRun()
    {
        makeAnketa({QStringLiteral("Тема.xls")});
        m_books.sheets[QStringLiteral("Тема.xls")] = exampleSheet();
        m_script->steps << [](Form2 *form) {
            const Form2Controls controls(*form);
            controls.List2->item(0)->setSelected(true);
            controls.Command3->click();
        };
        run();
        QVERIFY(m_form->isHidden());
        QVERIFY(m_form->engine().StopFlag);
        QCOMPARE(m_books.readersMade, 0);
        QCOMPARE(m_script->labels.size(), 1);
    }

    void nextWithoutTopicEndsTheRun_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("empty Anketa") << QStringList{};
        QTest::newRow("nothing selected") << QStringList{QStringLiteral("Тема.xls")};
    }
    void nextWithoutTopicEndsTheRun()
    {
        QFETCH(QStringList, entries);
        makeAnketa(entries);
        m_script->steps << FormScript::next();
        run();
        QVERIFY(!m_script->ranOut);
        QCOMPARE(m_script->labels.size(), 1);
        QVERIFY(m_form->isHidden());
        QCOMPARE(m_books.readersMade, 0);
    }

    void missingAnketaFolderListsNothing()
    {
        m_script->steps << FormScript::next();
        run();
        QCOMPARE(m_script->lists, QStringList{QString()});
        QVERIFY(m_form->isHidden());
    }

    void selectedTopicsRunInListOrderWithFreshReaders()
    {
        makeAnketa({QStringLiteral("Б.xls"), QStringLiteral("А.xls"), QStringLiteral("В.xls")});
        m_books.sheets[QStringLiteral("А.xls")] = {
            {QStringLiteral("Вопрос А"), QStringLiteral("a"), QStringLiteral("ра")}};
        m_books.sheets[QStringLiteral("Б.xls")] = {
            {QStringLiteral("Вопрос Б"), QStringLiteral("б"), QStringLiteral("рб")}};
        m_books.sheets[QStringLiteral("В.xls")] = Sheet{};
        m_script->steps << FormScript::next({2, 0}) << FormScript::next({0});
        run();
        QVERIFY(!m_script->ranOut);
        QCOMPARE(m_books.opened, (QStringList{QStringLiteral("А.xls"), QStringLiteral("В.xls")}));
        QCOMPARE(m_books.readersMade, 2);
        // В.xls holds no data: the first topic is answered, the second ends at once.
        QCOMPARE(m_text->toPlainText(), QStringLiteral("ра. "));
    }

    void workbookExtensionInAnyCase_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("small letters") << QStringLiteral("Тема.xls");
        QTest::newRow("capitals") << QStringLiteral("Тема.XLS");
        QTest::newRow("mixed") << QStringLiteral("Тема.Xls");
    }
    void workbookExtensionInAnyCase()
    {
        QFETCH(QString, file);
        makeAnketa({file});
        m_books.sheets[file] = exampleSheet();
        m_script->steps << FormScript::next({0}) << FormScript::next({0}) << FormScript::next();
        run();
        QVERIFY(!m_script->ranOut);
        QCOMPARE(m_script->lists.value(0), QStringLiteral("Тема"));
        QCOMPARE(m_books.opened, QStringList{file});
        QVERIFY(m_dialogs->messages.isEmpty());
        QCOMPARE(m_text->toPlainText(), QStringLiteral("Результат A. "));
    }

    void stopInFirstTopicSkipsTheRest()
    {
        makeAnketa({QStringLiteral("А.xls"), QStringLiteral("Б.xls")});
        m_books.sheets[QStringLiteral("А.xls")] = exampleSheet();
        m_books.sheets[QStringLiteral("Б.xls")] = exampleSheet();
        m_script->steps << FormScript::next({0, 1}) << FormScript::stop();
        run();
        QCOMPARE(m_books.opened, QStringList{QStringLiteral("А.xls")});
        QVERIFY(m_form->isHidden());
    }

    void unreadableWorkbookIsReported()
    {
        FakeDialogs &dialogs = *m_dialogs;
        makeAnketa({QStringLiteral("Тема.xls")});
        bool hiddenDuringMessage = false;
        dialogs.onMessage = [&](const QString &) { hiddenDuringMessage = m_form->isHidden(); };
        m_script->steps << FormScript::next({0});
        run();
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages[0].text.contains(QStringLiteral("Тема.xls")));
        QVERIFY(dialogs.messages[0].text.contains(QStringLiteral("Файл не найден.")));
        QVERIFY(hiddenDuringMessage);
        QVERIFY(!m_form->isRunning());
        QCOMPARE(m_text->toPlainText(), QString());
    }

    void answersBeyondTheLimitAreIgnored()
    {
        Sheet sheet;
        for (int i = 0; i < Form2::maxAnswers + 4; ++i)
            sheet << QStringList{i == 0 ? QStringLiteral("Q") : QString(), QString::number(i),
                                 QStringLiteral("r%1").arg(i)};
        makeAnketa({QStringLiteral("Тема.xls")});
        m_books.sheets[QStringLiteral("Тема.xls")] = sheet;
        int answers = 0;
        m_script->steps << FormScript::next({0}) << [&answers](Form2 *form) {
            const Form2Controls controls(*form);
            answers = controls.List1->count();
            controls.List1->item(controls.List1->count() - 1)->setSelected(true);
            controls.Command2->click();
        };
        run();
        QCOMPARE(answers, Form2::maxAnswers);
        QCOMPARE(m_text->toPlainText(), QStringLiteral("r%1. ").arg(Form2::maxAnswers - 1));
    }

    void phasesShowTheirControls()
    {
        makeAnketa({QStringLiteral("Тема.xls")});
        m_books.sheets[QStringLiteral("Тема.xls")] = exampleSheet();
        bool topicPhase = false;
        bool questionPhase = false;
        m_script->steps << [&topicPhase](Form2 *form) {
            const Form2Controls controls(*form);
            topicPhase = controls.List2->isVisible() && controls.List1->isHidden() && controls.Command2->isVisible()
                && controls.Command3->isVisible();
            controls.List2->item(0)->setSelected(true);
            controls.Command2->click();
        } << [&questionPhase](Form2 *form) {
            const Form2Controls controls(*form);
            questionPhase = controls.List1->isVisible() && controls.List2->isHidden() && controls.Command2->isVisible()
                && controls.Command3->isVisible();
            controls.Command2->click();
        } << FormScript::next();
        run();
        QVERIFY(!m_script->ranOut);
        QVERIFY(topicPhase);
        QVERIFY(questionPhase);
    }

    void endingTheProgramEndsTheRun()
    {
        makeAnketa({QStringLiteral("Тема.xls")});
        m_books.sheets[QStringLiteral("Тема.xls")] = exampleSheet();
        m_script->steps << FormScript::next({0}) << [](Form2 *) { EventLoop::requestQuit(); };
        run();
        QVERIFY(!m_form->isRunning());
        QVERIFY(m_form->isHidden());
        QCOMPARE(m_script->labels.size(), 2);
    }

    // The same run over real workbook files.
    void workbookFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("questions");
        QTest::newRow("example") << QStringLiteral("example.xls")
                                 << QStringList{QStringLiteral("Вопрос 1"), QStringLiteral("Вопрос 2")};
        QTest::newRow("active sheet") << QStringLiteral("second_active.xls")
                                      << QStringList{QStringLiteral("Вопрос со второго листа")};
        QTest::newRow("no end marker") << QStringLiteral("no_marker.xls")
                                       << QStringList{QStringLiteral("Вопрос 1"), QStringLiteral("Вопрос 2")};
    }
    void workbookFiles()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, questions);
        makeAnketa({});
        QVERIFY(QFile::copy(QStringLiteral(PALMORA_TEST_DATA_DIR "/") + file,
                            m_install->program.filePath(QStringLiteral("Anketa/Тема.xls"))));
        makeForm(QuestionnaireEngine::xlsReaders());
        m_script->steps << FormScript::next({0});
        for (int i = 0; i < questions.size(); ++i)
            m_script->steps << FormScript::next({0});
        run();
        QVERIFY(!m_script->ranOut);
        QCOMPARE(m_script->labels.mid(1), questions);
    }

    void damagedWorkbookFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QFile example(QStringLiteral(PALMORA_TEST_DATA_DIR "/example.xls"));
        QVERIFY(example.open(QIODevice::ReadOnly));
        const QByteArray whole = example.readAll();
        QTest::newRow("truncated") << whole.left(whole.size() / 2);
        QTest::newRow("header only") << whole.left(512);
        QTest::newRow("not a workbook") << QByteArray("Это не книга Excel\r\n");
        QTest::newRow("empty file") << QByteArray();
    }
    void damagedWorkbookFile()
    {
        QFETCH(QByteArray, bytes);
        FakeDialogs &dialogs = *m_dialogs;
        makeAnketa({});
        QFile file(m_install->program.filePath(QStringLiteral("Anketa/Тема.xls")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        makeForm(QuestionnaireEngine::xlsReaders());
        m_script->steps << FormScript::next({0});
        run();
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages[0].text.contains(QDir::toNativeSeparators(file.fileName())));
        QVERIFY(m_form->isHidden());
        QVERIFY(!m_form->isRunning());
    }
};

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
