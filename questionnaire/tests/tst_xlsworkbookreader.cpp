#include "platform/testsupport/peakmemory.h"
#include "questionnaire/tests/biffbuilder.h"
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
const QString kEncrypted =
    QStringLiteral("Книга защищена паролем, и прочитать её нельзя. Снимите пароль в Excel и сохраните книгу снова.");

// The first three columns of every row, cells joined by tabs, rows by line breaks.
QString sheetText(const XlsWorkbookReader &reader)
{
    QStringList rows;
    for (int row = 1; row <= reader.rowCount(); ++row)
        rows << QStringList{reader.cell(row, 1), reader.cell(row, 2), reader.cell(row, 3)}.join(u'\t');
    return rows.join(u'\n');
}

using namespace BiffBuilder;

QByteArray oneSheet(const QByteArray &cells, const QByteArray &globals = QByteArray())
{
    return workbook(globals, {Sheet{cells}});
}

// A shared-string table: its header and strings, then CONTINUE records.
QByteArray sst(quint32 count, const QByteArray &strings, const QList<QByteArray> &continued = {})
{
    QByteArray bytes = record(0x00FC, u32(count) + u32(count) + strings);
    for (const QByteArray &part : continued)
        bytes += record(0x003C, part);
    return bytes;
}

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

    // Excel 2 to 5 sheets have 16,384 rows; some writers claim every row a
    // 16-bit field names. Nothing is set aside for a claim, so the sheet
    // reads as the grid holds it.
    void claimOfEveryRowOfAnOldSheetOpens()
    {
        PeakMemory memory;
        const bool measured = memory.start();
        XlsWorkbookReader reader;
        QString error;
        QVERIFY2(reader.open(dataFile("excel2_claims_all.xls"), &error), qPrintable(error));
        const qint64 grown = memory.grown();
        QCOMPARE(reader.rowCount(), XlsWorkbookReader::maxRowsBefore97);
        QCOMPARE(reader.cell(1, 1), QStringLiteral("Вопрос"));
        QCOMPARE(reader.cell(2, 1), QStringLiteral("quit"));
        QCOMPARE(reader.cell(XlsWorkbookReader::maxRowsBefore97, 1), QString());
        if (measured)
            QVERIFY2(grown < (1 << 20), qPrintable(QString::number(grown)));
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

    void builtWorkbooksRead_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QByteArray>("streamName");
        QTest::addColumn<QString>("cells");

        QTest::newRow("formula results") << oneSheet(
            formula(0, 0, numberResult(7.5)) + formula(0, 1, markedResult(0)) + stringResult("итог")
            + formula(0, 2, markedResult(1, 1)) + formula(1, 0, markedResult(2, 0x07)) + formula(1, 1, markedResult(3))
            + formula(1, 2, markedResult(0)) + record(0x04BC, QByteArray(10, '\0')) + stringResult("после общей"))
                                         << QByteArray("Workbook")
                                         << QStringLiteral("7,5\tитог\tИСТИНА\n#ДЕЛ/0!\t\tпосле общей");

        // Its text goes to the fifth column, not into the rows below.
        QTest::newRow("text result of a formula beyond the third column")
            << oneSheet(label(0, 0, "вопрос") + formula(0, 8, markedResult(0)) + stringResult("в стороне")
                        + label(2, 1, "ответ"))
            << QByteArray("Workbook") << QStringLiteral("вопрос\t\t\n\t\t\n\tответ\t");

        // "Вопрос" in two-byte characters with phonetic data after it; "rich"
        // with two formatting runs; a string whose characters go on, in two
        // bytes each, in a CONTINUE record; a string wholly in the next one.
        const QByteArray phonetic = u16(6) + u8(0x05) + u32(12) + characters("Вопрос", true) + QByteArray(12, 'p');
        const QByteArray rich = u16(4) + u8(0x08) + u16(2) + characters("rich", false) + QByteArray(8, 'r');
        const QByteArray cut = u16(7) + u8(0) + characters("Отв", false).left(0) + "abc";
        QTest::newRow("shared strings: phonetic data, runs, a CONTINUE split")
            << oneSheet(labelSst(0, 0, 0) + labelSst(0, 1, 1) + labelSst(0, 2, 2) + labelSst(1, 0, 3),
                        sst(4, phonetic + rich + cut, {u8(1) + characters("дефг", true) + string97("дальше")}))
            << QByteArray("Workbook") << QStringLiteral("Вопрос\trich\tabcдефг\nдальше\t\t");
        // The header fills the table's record; the characters start the CONTINUE, with their width.
        QTest::newRow("shared string whose characters all lie in the CONTINUE")
            << oneSheet(labelSst(0, 0, 0) + labelSst(0, 1, 1), sst(2, string97("а") + u16(4) + u8(1), {u8(0) + "next"}))
            << QByteArray("Workbook") << QStringLiteral("а\tnext\t");
        QTest::newRow("shared string of no characters")
            << oneSheet(labelSst(0, 0, 1) + labelSst(0, 1, 0) + labelSst(0, 2, 2),
                        sst(3, string97("") + string97("первая") + string97("")))
            << QByteArray("Workbook") << QStringLiteral("первая\t\t");

        const QByteArray excel5Sheet =
            record(0x0204, u16(0) + u16(0) + u16(0) + u16(6) + QByteArray("\xc2\xee\xef\xf0\xee\xf1"))
            + record(0x0203, u16(0) + u16(1) + u16(1) + f64(45296.5));
        const QByteArray excel5Globals = record(0x0042, u16(1251))
            + record(0x041E, u16(164) + u8(10) + QByteArray("dd.mm.yyyy"))
            + record(0x00E0, u16(0) + u16(0) + QByteArray(12, '\0'))
            + record(0x00E0, u16(0) + u16(164) + QByteArray(12, '\0'));
        QTest::newRow("Excel 5 workbook") << workbook(excel5Globals, {Sheet{excel5Sheet}}, 0, excel5)
                                          << QByteArray("Book") << QStringLiteral("Вопрос\t05.01.2024\t");

        const QByteArray chart = bof(excel97, 0x0020) + number(0, 0, 99) + label(1, 0, "ряд") + eof();
        QTest::newRow("chart on a sheet") << oneSheet(label(0, 0, "до") + chart + label(1, 0, "после"))
                                          << QByteArray("Workbook") << QStringLiteral("до\t\t\nпосле\t\t");
        QTest::newRow("stream name in capitals")
            << oneSheet(label(0, 0, "Вопрос")) << QByteArray("WORKBOOK") << QStringLiteral("Вопрос\t\t");
        QTest::newRow("active chart sheet: the first worksheet instead")
            << workbook({},
                        {Sheet{number(0, 0, 1), 2}, Sheet{label(0, 0, "лист")}, Sheet{label(0, 0, "другой")},
                         Sheet{number(0, 0, 2), 2}},
                        3)
            << QByteArray("Workbook") << QStringLiteral("лист\t\t");
        QTest::newRow("cells outside the declared rectangle")
            << oneSheet(dimensions(0, 1, 0, 1) + label(0, 0, "в") + label(2, 1, "вне") + number(2, 5, 1))
            << QByteArray("Workbook") << QStringLiteral("в\t\t\n\t\t\n\tвне\t");
        QTest::newRow("numbers in a row and blanks") << oneSheet(
            record(0x00BD,
                   u16(0) + u16(0) + u16(0) + u32(42 << 2 | 2) + u16(0) + u32(1234 << 2 | 3) + u16(0) + u32(0) + u16(2))
            + record(0x00BE, u16(1) + u16(0) + u16(0) + u16(0) + u16(1))
            + record(0x0205, u16(1) + u16(2) + u16(0) + u8(0) + u8(0)))
                                                     << QByteArray("Workbook")
                                                     << QStringLiteral("42\t12,34\t0\n\t\tЛОЖЬ");
    }
    void builtWorkbooksRead()
    {
        QFETCH(QByteArray, stream);
        QFETCH(QByteArray, streamName);
        QFETCH(QString, cells);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Тема.xls"));
        QVERIFY(BiffBuilder::save(path, stream, streamName.constData()));
        XlsWorkbookReader reader;
        QString error;
        QVERIFY2(reader.open(path, &error), qPrintable(error));
        QCOMPARE(sheetText(reader), cells);
    }

    void builtWorkbooksRefused_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QString>("error");
        QTest::newRow("protected by a password")
            << oneSheet(label(0, 0, "тайна"), record(0x002F, u16(1) + QByteArray(52, 'k'))) << kEncrypted;
        // A flags byte that claims formatting runs the table does not hold:
        // their count is taken from the characters that follow.
        QTest::newRow("shared string whose runs go past the table")
            << oneSheet(labelSst(0, 0, 0), sst(1, u16(6) + u8(0x08) + "FCPO O")) << kDamaged;
        QTest::newRow("label longer than its record")
            << oneSheet(record(0x0204, u16(0) + u16(0) + u16(0) + u16(40) + u8(0) + "short")) << kDamaged;
        QTest::newRow("shared string that is not there")
            << oneSheet(labelSst(0, 0, 5), sst(1, string97("один"))) << kDamaged;
        QTest::newRow("row of numbers past its record")
            << oneSheet(record(0x00BD, u16(0) + u16(0) + u16(0) + u32(2) + u16(200))) << kDamaged;
        QTest::newRow("character cut by a CONTINUE")
            << oneSheet(labelSst(0, 0, 0),
                        sst(1, u16(3) + u8(1) + QByteArray("\x10\x04\x11"), {u8(1) + QByteArray("\x04\x12\x04")}))
            << kDamaged;
        QTest::newRow("only a chart sheet")
            << workbook({}, {Sheet{number(0, 0, 1), 2}}) << QStringLiteral("В книге нет листа с вопросами.");
    }
    void builtWorkbooksRefused()
    {
        QFETCH(QByteArray, stream);
        QFETCH(QString, error);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Тема.xls"));
        QVERIFY(BiffBuilder::save(path, stream));
        XlsWorkbookReader reader;
        QString reason;
        QVERIFY(!reader.open(path, &reason));
        QCOMPARE(reason, error);
        QCOMPARE(reader.rowCount(), 0);
    }

    // A workbook whose shared strings claim formatting runs far beyond the
    // table, as a fuzzer found: refused without a read outside the records.
    void overReadingWorkbookRefused()
    {
        XlsWorkbookReader reader;
        QString error;
        QVERIFY(!reader.open(QStringLiteral(PALMORA_TEST_DATA_DIR "/fuzz/workbook/runs_past_the_strings.xls"), &error));
        QCOMPARE(error, kDamaged);
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
