#include "platform/release.h"
#include "questionnaire/anketatool.h"
#include "questionnaire/questionblocks.h"
#include "questionnaire/tests/biffbuilder.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

namespace {

QString dataFile(const char *name)
{
    return QStringLiteral(PALMORA_TEST_DATA_DIR "/") + QLatin1String(name);
}

using namespace BiffBuilder;

} // namespace

class TestAnketaTool : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;

    struct Result
    {
        int status = -1;
        QString out;
        QString err;
    };

    static Result run(QStringList args, const QLocale &locale = QLocale::c())
    {
        Result r;
        QTextStream out(&r.out);
        QTextStream err(&r.err);
        args.prepend(QStringLiteral("palmora-anketa"));
        r.status = AnketaTool::run(args, out, err, locale);
        return r;
    }

    QString built(const char *name, const QByteArray &cells)
    {
        const QString path = m_folder.filePath(QString::fromUtf8(name));
        if (!BiffBuilder::save(path, workbook({}, {Sheet{cells}})))
            return QString();
        return path;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        QVERIFY(m_folder.isValid());
    }

    void topicAsTheWindowAsksIt_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");

        QTest::newRow("title row, two questions, end marker")
            << dataFile("example.xls") << QLocale::c()
            << QStringLiteral("Topic \"example\"\n"
                              "Question (row 2): Вопрос 1\n"
                              "  1. Ответ A -> Результат A\n"
                              "  2. Ответ B -> Результат B\n"
                              "Question (row 4): Вопрос 2\n"
                              "  1. Ответ A -> (нет данных)\n"
                              "End (row 5)\n")
            << QStringLiteral("palmora-anketa: row 1 passed over: Пример анкеты\n");
        QTest::newRow("no end marker, in Russian")
            << dataFile("no_marker.xls") << QLocale(QLocale::Russian, QLocale::Russia)
            << QStringLiteral("Тема «no_marker»\n"
                              "Вопрос (строка 1): Вопрос 1\n"
                              "  1. Ответ A -> Результат A\n"
                              "  2. Ответ B -> Результат B\n"
                              "Вопрос (строка 3): Вопрос 2\n"
                              "  1. Ответ C -> Результат C\n")
            << QStringLiteral("palmora-anketa: нет признака конца «quit»: анкета кончается вместе с данными листа\n");
    }
    void topicAsTheWindowAsksIt()
    {
        QFETCH(QString, file);
        QFETCH(QLocale, locale);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const Result r = run({file}, locale);
        QCOMPARE(r.status, int(AnketaTool::Read));
        QCOMPARE(r.out, out);
        QCOMPARE(r.err, err);
    }

    // A result without an answer, answers beyond the most a question takes,
    // and a row after the end marker: each named, the questions still shown.
    void whatTheWindowPassesOverIsNamed()
    {
        QByteArray cells = label(0, 0, "Вопрос") + label(0, 1, "a0") + label(1, 2, "без ответа");
        for (quint16 row = 2; row <= quint16(QuestionBlocks::maxAnswers + 1); ++row)
            cells += label(row, 1, "a" + QString::number(row - 1));
        cells += label(quint16(QuestionBlocks::maxAnswers + 1) + 1, 0, "QUIT")
            + label(quint16(QuestionBlocks::maxAnswers + 1) + 2, 0, "хвост");
        const Result r = run({built("many.xls", cells)});
        QCOMPARE(r.status, int(AnketaTool::Read));
        QVERIFY2(r.out.contains(QStringLiteral("  1001. a1000 -> (нет данных)\nEnd (row 1004)\n")), qPrintable(r.out));
        QVERIFY(!r.out.contains(QStringLiteral("a1001")));
        QCOMPARE(r.err,
                 QStringLiteral("palmora-anketa: row 2 passed over: без ответа\n"
                                "palmora-anketa: question of row 1: 1 answers beyond the 1001 a question "
                                "takes are left out\n"
                                "palmora-anketa: row 1005 after the end marker is not read: хвост\n"));
    }

    void cellsOneRowALine()
    {
        const QString path = built("cells.xls",
                                   label(0, 0, "a\tb") + label(0, 2, "c\\d") + label(1, 1, "две\nстроки")
                                       + number(2, 0, 2.5) + formula(2, 1, markedResult(1, 1)));
        const Result r = run({QStringLiteral("--cells"), path});
        QCOMPARE(r.status, int(AnketaTool::Read));
        QCOMPARE(r.out, QStringLiteral("a\\tb\t\tc\\\\d\n\tдве\\nстроки\t\n2.5\tTRUE\t\n"));
        QCOMPARE(r.err, QString());
    }

    void refusedWithTheReason_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("reason");
        QTest::newRow("damaged") << dataFile("million_rows.xls")
                                 << QStringLiteral("Файл повреждён или не является книгой Excel 97-2003 (.xls).");
        QTest::newRow("missing") << QStringLiteral("/nonexistent/Тема.xls")
                                 << QStringLiteral("Файл не найден или недоступен для чтения.");
    }
    void refusedWithTheReason()
    {
        QFETCH(QString, file);
        QFETCH(QString, reason);
        for (const QStringList &args : {QStringList{file}, QStringList{QStringLiteral("--cells"), file}}) {
            const Result r = run(args, QLocale(QLocale::Russian, QLocale::Russia));
            QCOMPARE(r.status, int(AnketaTool::Error));
            QCOMPARE(r.out, QString());
            QCOMPARE(r.err, QStringLiteral("palmora-anketa: не удаётся прочитать «%1»: %2\n").arg(file, reason));
        }
    }

    void wrongUse_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("no file") << QStringList() << QStringLiteral("не задана книга");
        QTest::newRow("two files") << QStringList{QStringLiteral("a.xls"), QStringLiteral("b.xls")}
                                   << QStringLiteral("книга читается по одной");
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--rows"), QStringLiteral("a.xls")}
                                        << QStringLiteral("Unknown option 'rows'.");
    }
    void wrongUse()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const Result r = run(args, QLocale(QLocale::Russian, QLocale::Russia));
        QCOMPARE(r.status, int(AnketaTool::Error));
        QCOMPARE(r.err,
                 QStringLiteral("palmora-anketa: %1\nиспользование: palmora-anketa [--cells] ФАЙЛ.xls\n").arg(message));
    }

    void helpAndVersion()
    {
        const Result help = run({QStringLiteral("--help")});
        QCOMPARE(help.status, int(AnketaTool::Read));
        QVERIFY(help.out.startsWith(QStringLiteral("usage: palmora-anketa [--cells] FILE.xls\n")));
        QVERIFY(help.out.contains(QStringLiteral("Exit status:")));
        const Result version = run({QStringLiteral("--version")});
        QCOMPARE(version.out, QStringLiteral("palmora-anketa " PALMORA_VERSION "\n"));
    }
};

QTEST_MAIN(TestAnketaTool)
#include "tst_anketatool.moc"
