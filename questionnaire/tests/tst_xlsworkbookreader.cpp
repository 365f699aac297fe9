#include "platform/testsupport/peakmemory.h"
#include "questionnaire/tests/fuzzchecks.h"
#include "questionnaire/xlsworkbookreader.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

namespace {
QString dataFile(const char *name)
{
    return QStringLiteral(PALMORA_TEST_DATA_DIR "/") + QLatin1String(name);
}

const QString kDamaged = QStringLiteral("Файл повреждён или не является книгой Excel 97-2003 (.xls).");

} // namespace

class TestXlsWorkbookReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void cellsReadAsShown_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");

        QTest::newRow("whole number") << 1 << 1 << QStringLiteral("42");
        QTest::newRow("fraction") << 1 << 2 << QStringLiteral("3,5");
        QTest::newRow("text") << 1 << 3 << QStringLiteral("текст");
        QTest::newRow("spaces kept") << 2 << 1 << QStringLiteral("   ");
        QTest::newRow("empty cell") << 2 << 2 << QString();
        QTest::newRow("negative fraction") << 2 << 3 << QStringLiteral("-2,25");
        QTest::newRow("empty row") << 3 << 1 << QString();
        QTest::newRow("no digit grouping") << 4 << 1 << QStringLiteral("1234567");
        QTest::newRow("date in the short form") << 4 << 2 << QStringLiteral("05.01.2024");
        QTest::newRow("fourth column not read") << 4 << 4 << QString();
        QTest::newRow("below the data") << 5 << 1 << QString();
        QTest::newRow("row 0") << 0 << 1 << QString();
    }
    void cellsReadAsShown()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        XlsWorkbookReader reader;
        QString error;
        QVERIFY2(reader.open(dataFile("values.xls"), &error), qPrintable(error));
        QCOMPARE(reader.rowCount(), 4);
        QCOMPARE(reader.cell(row, column), text);
    }

    void decimalSeparatorFollowsTheLocale_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::newRow("Russian") << QLocale(QLocale::Russian, QLocale::Russia) << QStringLiteral("3,5");
        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << QStringLiteral("3.5");
    }
    void decimalSeparatorFollowsTheLocale()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QLocale::setDefault(locale);
        XlsWorkbookReader reader;
        QString error;
        QVERIFY2(reader.open(dataFile("values.xls"), &error), qPrintable(error));
        QCOMPARE(reader.cell(1, 2), text);
    }

    void sheetActiveWhenSavedIsRead_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("firstQuestion");
        QTest::newRow("second sheet") << dataFile("second_active.xls") << 1
                                      << QStringLiteral("Вопрос со второго листа");
        QTest::newRow("only sheet") << dataFile("example.xls") << 0 << QStringLiteral("Пример анкеты");
        QTest::newRow("sample with a notes sheet first")
            << QStringLiteral(PALMORA_SAMPLE_DIR "/Anketa/Основные линии.xls") << 1
            << QStringLiteral("Основные линии ладони");
    }
    void sheetActiveWhenSavedIsRead()
    {
        QFETCH(QString, file);
        QFETCH(int, index);
        QFETCH(QString, firstQuestion);
        QCOMPARE(XlsWorkbookReader::activeSheetIndex(file), index);
        XlsWorkbookReader reader;
        QString error;
        QVERIFY2(reader.open(file, &error), qPrintable(error));
        QCOMPARE(reader.cell(1, 1), firstQuestion);
    }

    void sampleQuestionnairesOpen()
    {
        const QDir anketa(QStringLiteral(PALMORA_SAMPLE_DIR "/Anketa"));
        const QStringList files = anketa.entryList({QStringLiteral("*.xls")}, QDir::Files);
        QVERIFY(files.size() >= 3);
        for (const QString &name : files) {
            XlsWorkbookReader reader;
            QString error;
            QVERIFY2(reader.open(anketa.filePath(name), &error), qPrintable(name + QLatin1Char(' ') + error));
            QVERIFY(reader.rowCount() > 3);
        }
    }

    void unreadableFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QFile example(dataFile("example.xls"));
        QVERIFY(example.open(QIODevice::ReadOnly));
        const QByteArray whole = example.readAll();
        QTest::newRow("truncated") << whole.left(whole.size() / 2);
        QTest::newRow("header only") << whole.left(512);
        QTest::newRow("last sector cut") << whole.left(whole.size() - 100);
        QTest::newRow("text file") << QByteArray("вопрос;ответ;результат\r\n");

        QTest::newRow("empty") << QByteArray();
    }
    void unreadableFiles()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Тема.xls"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        XlsWorkbookReader reader;
        QString error;
        QVERIFY(!reader.open(path, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(reader.rowCount(), 0);
        QCOMPARE(XlsWorkbookReader::activeSheetIndex(path), 0);
    }

    // A 6 KB workbook whose sheet claims a million rows would have the reader
    // set aside tens of megabytes for cells that are not there.
    void claimBeyondTheContentIsRefusedWithoutGrowing()
    {
        const QString path = dataFile("million_rows.xls");
        PeakMemory memory;
        const bool measured = memory.start();
        XlsWorkbookReader reader;
        QString error;
        const bool opened = reader.open(path, &error);
        const qint64 grown = memory.grown();
        QVERIFY(!opened);
        QCOMPARE(error, kDamaged);
        QCOMPARE(reader.rowCount(), 0);
        if (measured)
            QVERIFY2(grown < (8 << 20), qPrintable(QString::number(grown)));
    }

    void claimsBeyondTheContentAreRefused_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("a million rows in a compound file") << dataFile("million_rows.xls");
        QTest::newRow("every cell of an Excel 2 worksheet") << dataFile("excel2_claims_all.xls");
    }
    void claimsBeyondTheContentAreRefused()
    {
        QFETCH(QString, file);
        XlsWorkbookReader reader;
        QString error;
        QVERIFY(!reader.open(file, &error));
        QCOMPARE(error, kDamaged);
    }

    void excel2WorksheetOpens()
    {
        XlsWorkbookReader reader;
        QString error;
        QVERIFY2(reader.open(dataFile("excel2.xls"), &error), qPrintable(error));
        QCOMPARE(reader.rowCount(), 2);
        QCOMPARE(reader.cell(1, 1), QStringLiteral("Вопрос"));
        QCOMPARE(reader.cell(1, 3), QStringLiteral("Результат"));
        QCOMPARE(reader.cell(2, 1), QStringLiteral("quit"));
    }

    void claimWithinTheBoundOpens()
    {
        XlsWorkbookReader reader;
        QString error;
        QVERIFY2(reader.open(dataFile("claims_500_rows.xls"), &error), qPrintable(error));
        QCOMPARE(reader.rowCount(), 500);
        QCOMPARE(reader.cell(1, 1), QStringLiteral("Пример анкеты"));
        QCOMPARE(reader.cell(5, 1), QStringLiteral("QUIT"));
        QCOMPARE(reader.cell(499, 1), QString());
    }

    // The fuzz target's seed corpus, through the same check.
    void fuzzSeedsPass()
    {
        const QDir seeds(QStringLiteral(PALMORA_TEST_DATA_DIR "/fuzz/workbook"));
        const QStringList files = seeds.entryList(QDir::Files);
        QVERIFY(!files.isEmpty());
        for (const QString &name : files) {
            QFile file(seeds.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            QVERIFY2(
                FuzzChecks::workbook(reinterpret_cast<const uint8_t *>(bytes.constData()), std::size_t(bytes.size())),
                qPrintable(name));
        }
    }

    void missingFile()
    {
        XlsWorkbookReader reader;
        QString error;
        QVERIFY(!reader.open(QStringLiteral("/nonexistent/Тема.xls"), &error));
        QCOMPARE(error, QStringLiteral("Файл не найден или недоступен для чтения."));
    }
};

QTEST_MAIN(TestXlsWorkbookReader)
#include "tst_xlsworkbookreader.moc"
