#include "questionnaire/biffcheck.h"

#include <QList>
#include <QTest>
#include <QtEndian>

#include <limits>

namespace {

struct Record
{
    quint16 type;
    QByteArray payload;
};
using Records = QList<Record>;

QByteArray le16(quint16 value)
{
    QByteArray bytes(2, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray le32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

Record bof8()
{
    return {0x0809, le16(0x0600) + le16(0x0010) + QByteArray(12, '\0')};
}
Record eof()
{
    return {0x000A, {}};
}
// BIFF8 DIMENSIONS: first row, last row + 1, first column, last column + 1.
Record dimension8(quint32 rows, quint16 columns)
{
    return {0x0200, le32(0) + le32(rows) + le16(0) + le16(columns) + le16(0)};
}
Record labelSst(quint16 row, quint16 column)
{
    return {0x00FD, le16(row) + le16(column) + le16(15) + le32(0)};
}
Record number(quint16 row, quint16 column)
{
    return {0x0203, le16(row) + le16(column) + le16(15) + QByteArray(8, '\0')};
}
Record blank(quint16 row, quint16 column)
{
    return {0x0201, le16(row) + le16(column) + le16(15)};
}
// MULRK: row, first column, (format, value) per cell, last column.
Record mulrk(quint16 row, quint16 first, quint16 count)
{
    QByteArray payload = le16(row) + le16(first);
    for (int i = 0; i < count; ++i)
        payload += le16(15) + le32(0);
    return {0x00BD, payload + le16(quint16(first + count - 1))};
}
// SST: total and unique count, then the strings (each a length, a flags byte and its characters).
Record sst(quint32 unique, const QByteArray &strings)
{
    return {0x00FC, le32(unique) + le32(unique) + strings};
}
Record continued(const QByteArray &strings)
{
    return {0x003C, strings};
}
// XF: font, number format, then the rest of the cell format.
Record cellFormat(quint16 numberFormat)
{
    return {0x00E0, le16(0) + le16(numberFormat) + QByteArray(16, '\0')};
}
Record numberAt(quint16 column, quint16 xf, double value)
{
    QByteArray bits(8, '\0');
    qToLittleEndian(value, bits.data());
    return {0x0203, le16(0) + le16(column) + le16(xf) + bits};
}
// RK holding a whole number.
Record rkAt(quint16 column, quint16 xf, qint32 value)
{
    return {0x027E, le16(0) + le16(column) + le16(xf) + le32(quint32(value) << 2 | 0x02)};
}
// FORMAT (BIFF8): index, length, flags, characters.
Record numberFormat(quint16 index, const QByteArray &text)
{
    return {0x041E, le16(index) + le16(quint16(text.size())) + QByteArray(1, '\0') + text};
}
QByteArray shortString(const QByteArray &text)
{
    return le16(quint16(text.size())) + QByteArray(1, '\0') + text;
}

struct Outcome
{
    bool ok = true;
    BiffCheck check{BiffCheck::Version::Biff8};
};

Outcome walk(BiffCheck::Version version, const Records &records)
{
    Outcome outcome{true, BiffCheck(version)};
    for (const Record &r : records) {
        if (!outcome.check.add(r.type, r.payload)) {
            outcome.ok = false;
            return outcome;
        }
    }
    outcome.ok = outcome.check.finish();
    return outcome;
}

} // namespace

Q_DECLARE_METATYPE(Records)

class TestBiffCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void versionOfFirstRecord_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<int>("version"); // -1: none

        QTest::newRow("BIFF8") << 0x0809 << le16(0x0600) << int(BiffCheck::Version::Biff8);
        QTest::newRow("BIFF5") << 0x0809 << le16(0x0500) << int(BiffCheck::Version::Biff5);
        QTest::newRow("BIFF4") << 0x0409 << QByteArray() << int(BiffCheck::Version::Biff4);
        QTest::newRow("BIFF3") << 0x0209 << QByteArray() << int(BiffCheck::Version::Biff3);
        QTest::newRow("BIFF2") << 0x0009 << QByteArray() << int(BiffCheck::Version::Biff2);
        QTest::newRow("unknown BOF version") << 0x0809 << le16(0x0700) << -1;
        QTest::newRow("BOF too short") << 0x0809 << QByteArray(1, '\6') << -1;
        QTest::newRow("not a BOF") << 0x0200 << le16(0x0600) << -1;
    }
    void versionOfFirstRecord()
    {
        QFETCH(int, type);
        QFETCH(QByteArray, payload);
        QFETCH(int, version);
        const std::optional<BiffCheck::Version> found = BiffCheck::versionOf(quint16(type), payload);
        QCOMPARE(found.has_value() ? int(*found) : -1, version);
    }

    void claims_data()
    {
        QTest::addColumn<Records>("records");
        QTest::addColumn<qint64>("claimedCells");
        QTest::addColumn<qint64>("realCells");
        QTest::addColumn<qint64>("claimedStrings");
        QTest::addColumn<qint64>("slackBytes");

        const Records filled{bof8(), dimension8(2, 2), labelSst(0, 0), number(0, 1), number(1, 0), number(1, 1), eof()};
        QTest::newRow("declared rectangle filled") << filled << qint64(4) << qint64(4) << qint64(0) << qint64(0);

        const Records million{bof8(), dimension8(1000000, 3), labelSst(0, 0), labelSst(4, 0), eof()};
        QTest::newRow("a million rows claimed, two cells held")
            << million << qint64(3000000) << qint64(2) << qint64(0) << qint64((3000000 - 2) * 16);

        const Records farthest{bof8(), labelSst(0, 0), number(9, 2), eof()};
        QTest::newRow("no rectangle: the farthest cell sizes the sheet")
            << farthest << qint64(30) << qint64(2) << qint64(0) << qint64(28 * 16);

        const Records blankFar{bof8(), labelSst(0, 0), blank(99, 0), eof()};
        QTest::newRow("a blank cell sizes the sheet but holds nothing")
            << blankFar << qint64(100) << qint64(1) << qint64(0) << qint64(99 * 16);

        const Records multiple{bof8(), dimension8(1, 5), mulrk(0, 0, 5), eof()};
        QTest::newRow("MULRK holds one value a column") << multiple << qint64(5) << qint64(5) << qint64(0) << qint64(0);

        const Records noColumns{bof8(), dimension8(4000000000u, 0), eof()};
        QTest::newRow("rows without a column still cost a slot each")
            << noColumns << qint64(4000000000) << qint64(0) << qint64(0) << qint64(4000000000) * 16;

        const Records sheets{bof8(), dimension8(10, 1), eof(), bof8(), dimension8(10, 2), eof()};
        QTest::newRow("every sheet's rectangle counts")
            << sheets << qint64(30) << qint64(0) << qint64(0) << qint64(30 * 16);

        const QByteArray two = shortString("ab") + shortString("c");
        const Records strings{bof8(), sst(2, two), eof()};
        QTest::newRow("strings spelled out") << strings << qint64(0) << qint64(0) << qint64(2) << qint64(0);

        const Records tooMany{bof8(), sst(1000000, two), eof()};
        QTest::newRow("a million strings announced in nine bytes")
            << tooMany << qint64(0) << qint64(0) << qint64(1000000) << qint64((1000000 - 3) * 8);

        const QByteArray many = QByteArray(3000, '\0');
        // Three bytes an empty string: 333 in the table's record, 667 in the next.
        const Records continuedStrings{bof8(), sst(3000, many.left(999)), continued(many.mid(999)), eof()};
        QTest::newRow("strings continued in the next record")
            << continuedStrings << qint64(0) << qint64(0) << qint64(3000) << qint64(2000 * 8);

        const Records notContinued{bof8(), sst(3000, many.left(999)), eof(), continued(many.mid(999))};
        QTest::newRow("a continue record after another record is not the strings'")
            << notContinued << qint64(0) << qint64(0) << qint64(3000) << qint64((3000 - 333) * 8);

        Records repeated{bof8()};
        for (int i = 0; i < 40000; ++i)
            repeated << dimension8(std::numeric_limits<quint32>::max(), 0xFFFF);
        QTest::newRow("repeated claims saturate instead of wrapping")
            << repeated << std::numeric_limits<qint64>::max() << qint64(0) << qint64(0)
            << std::numeric_limits<qint64>::max() / 2 / 16 * 16;
    }
    void claims()
    {
        QFETCH(Records, records);
        QFETCH(qint64, claimedCells);
        QFETCH(qint64, realCells);
        QFETCH(qint64, claimedStrings);
        QFETCH(qint64, slackBytes);
        const Outcome outcome = walk(BiffCheck::Version::Biff8, records);
        QVERIFY(outcome.ok);
        QCOMPARE(outcome.check.claimedCells(), claimedCells);
        QCOMPARE(outcome.check.realCells(), realCells);
        QCOMPARE(outcome.check.claimedStrings(), claimedStrings);
        QCOMPARE(outcome.check.slackBytes(), slackBytes);
    }

    void olderDimensions_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<Records>("records");
        QTest::addColumn<qint64>("claimedCells");

        // Before BIFF8: 16-bit first row, last row + 1, first column, last column + 1.
        const QByteArray rect = le16(0) + le16(40000) + le16(0) + le16(200) + le16(0);
        QTest::newRow("BIFF2 dimensions record")
            << int(BiffCheck::Version::Biff2) << Records{{0x0009, {}}, {0x0000, rect}, eof()} << qint64(8000000);
        QTest::newRow("BIFF4 dimensions record")
            << int(BiffCheck::Version::Biff4) << Records{{0x0409, {}}, {0x0200, rect}, eof()} << qint64(8000000);
        QTest::newRow("BIFF5 dimensions record")
            << int(BiffCheck::Version::Biff5) << Records{bof8(), {0x0200, rect}, eof()} << qint64(8000000);
        const Records biff2Label{{0x0009, {}}, {0x0004, le16(7) + le16(1) + QByteArray(4, '\0')}, eof()};
        QTest::newRow("BIFF2 label sizes the sheet") << int(BiffCheck::Version::Biff2) << biff2Label << qint64(16);
        QTest::newRow("BIFF8 takes type 0 for no dimensions record")
            << int(BiffCheck::Version::Biff8) << Records{bof8(), {0x0000, rect}, eof()} << qint64(0);
        const Records cellFirst{
            {0x0009, {}}, {0x0004, le16(99) + le16(9) + QByteArray(4, '\0')}, {0x0000, rect}, eof()};
        QTest::newRow("a cell before the rectangle sizes the sheet as well")
            << int(BiffCheck::Version::Biff2) << cellFirst << qint64(8000000 + 1000);
    }
    void olderDimensions()
    {
        QFETCH(int, version);
        QFETCH(Records, records);
        QFETCH(qint64, claimedCells);
        const Outcome outcome = walk(BiffCheck::Version(version), records);
        QVERIFY(outcome.ok);
        QCOMPARE(outcome.check.claimedCells(), claimedCells);
    }

    void bareStreamEndsAtItsEof()
    {
        BiffCheck check(BiffCheck::Version::Biff2);
        QVERIFY(check.add(0x0009, {}));
        QVERIFY(!check.complete());
        QVERIFY(check.add(0x000A, {}));
        QVERIFY(check.complete());
        BiffCheck compound(BiffCheck::Version::Biff8);
        QVERIFY(compound.add(0x0809, bof8().payload));
        QVERIFY(compound.add(0x000A, {}));
        QVERIFY(!compound.complete());
    }

    // The workbook lists its sheets by the offset of their BOF in the stream.
    // A listed sheet that declares no rectangle is sized by the sheet current
    // at the end of the stream, and cannot be sized at all without one.
    void listedSheets_data()
    {
        QTest::addColumn<Records>("records");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<qint64>("claimedCells");

        const Record globals = bof8(); // 20 bytes with its header, so the sheet starts at 20 + 12 + 4
        auto sheet = [](quint32 at) { return Record{0x0085, le32(at) + le16(0) + QByteArray(2, '\0')}; };
        const quint32 first = 20 + 12 + 4;
        QTest::newRow("listed sheet with its rectangle")
            << Records{globals, sheet(first), eof(), bof8(), dimension8(10, 3), eof()} << true << qint64(30);
        const quint32 second = first + 12; // after a second listing
        QTest::newRow("a second listing of one sheet is sized by the current sheet")
            << Records{globals, sheet(second), sheet(second), eof(), bof8(), dimension8(10, 3), eof()} << true
            << qint64(30 + 30);
        QTest::newRow("listed sheet with no BOF of its own")
            << Records{globals, sheet(999), eof(), bof8(), dimension8(10, 3), eof()} << false << qint64(0);
    }
    void listedSheets()
    {
        QFETCH(Records, records);
        QFETCH(bool, ok);
        QFETCH(qint64, claimedCells);
        BiffCheck check(BiffCheck::Version::Biff8);
        for (const Record &r : records)
            QVERIFY(check.add(r.type, r.payload));
        QCOMPARE(check.finish(), ok);
        if (ok)
            QCOMPARE(check.claimedCells(), claimedCells);
    }

    void damagedRecords_data()
    {
        QTest::addColumn<Records>("records");
        QTest::newRow("record longer than any reader buffers")
            << Records{bof8(), {0x0021, QByteArray(BiffCheck::maxRecordSize + 1, 'x')}};
        QTest::newRow("dimensions record cut short") << Records{bof8(), {0x0200, QByteArray(11, '\0')}};
        QTest::newRow("string table without its counts") << Records{bof8(), {0x00FC, QByteArray(7, '\0')}};
        QTest::newRow("cell without its column") << Records{bof8(), {0x0203, QByteArray(3, '\0')}};
        QTest::newRow("MULRK without its last column") << Records{bof8(), {0x00BD, QByteArray(5, '\0')}};

        // Texts longer than the record that holds them would be read past it.
        const QByteArray cut = le16(100) + QByteArray(1, '\0') + QByteArray(10, 'a');
        QTest::newRow("shared string longer than its record and the next")
            << Records{bof8(), sst(1, cut), continued(QByteArray(1, '\0') + QByteArray(50, 'a'))};
        QTest::newRow("shared string whose header is cut")
            << Records{bof8(), sst(2, shortString("ab") + QByteArray(1, '\0'))};
        QTest::newRow("shared string with a phonetic block")
            << Records{bof8(), sst(1, le16(1) + QByteArray(1, '\4') + le32(0) + "a")};
        QTest::newRow("label longer than its record")
            << Records{bof8(), {0x0204, le16(0) + le16(0) + le16(15) + le16(500) + QByteArray(1, '\0') + "abc"}};
        QTest::newRow("wide label longer than its record")
            << Records{bof8(), {0x0204, le16(0) + le16(0) + le16(15) + le16(3) + QByteArray(1, '\1') + "abcde"}};
        QTest::newRow("number format longer than its record")
            << Records{bof8(), {0x041E, le16(164) + le16(40) + QByteArray(1, '\0') + "dd.mm.yyyy"}};
        Records formats{bof8()};
        for (qsizetype i = 0; i <= BiffCheck::maxCellFormats; ++i)
            formats << cellFormat(0);
        QTest::newRow("more cell formats than a reader has room for") << formats;

        // A date is counted out day by day from 1900.
        QTest::newRow("a date a billion days on")
            << Records{bof8(), cellFormat(0), cellFormat(14), dimension8(1, 1), numberAt(0, 1, 1e9)};
        QTest::newRow("whole-number dates adding up to too many days")
            << Records{bof8(), cellFormat(14), dimension8(1, 3), rkAt(0, 0, 300000000), rkAt(1, 0, 300000000)};
        QTest::newRow("a date format of the workbook's own")
            << Records{bof8(), numberFormat(164, "dd.mm.yyyy"), cellFormat(164), dimension8(1, 1), numberAt(0, 0, 1e9)};
    }
    void damagedRecords()
    {
        QFETCH(Records, records);
        QVERIFY(!walk(BiffCheck::Version::Biff8, records).ok);
    }

    void soundRecords_data()
    {
        QTest::addColumn<Records>("records");
        QTest::addColumn<qint64>("dateDays");

        const QByteArray head = le16(12) + QByteArray(1, '\0') + QByteArray(5, 'a');
        const QByteArray rest = QByteArray(1, '\1') + QByteArray(14, 'b') + shortString("c");
        QTest::newRow("shared string cut at its record's end, finished in the next")
            << Records{bof8(), sst(2, head), continued(rest), eof()} << qint64(0);
        QTest::newRow("a date of our time")
            << Records{bof8(), cellFormat(14), dimension8(1, 1), numberAt(0, 0, 45000.5), eof()} << qint64(45000);
        QTest::newRow("a large number shown as a number")
            << Records{bof8(), cellFormat(0), dimension8(1, 1), numberAt(0, 0, 1e9), eof()} << qint64(0);
        QTest::newRow("a time of day format counts no days")
            << Records{bof8(), cellFormat(20), dimension8(1, 1), numberAt(0, 0, 1e9), eof()} << qint64(0);
        QTest::newRow("a number beyond any day")
            << Records{bof8(), cellFormat(14), dimension8(1, 1), numberAt(0, 0, 1e300), eof()} << qint64(0);
        QTest::newRow("a format of the workbook's own that shows hours and minutes")
            << Records{bof8(),           numberFormat(164, "hh:mm"), cellFormat(164),
                       dimension8(1, 1), numberAt(0, 0, 1e9),        eof()}
            << qint64(0);
        QTest::newRow("a cell format that is not there")
            << Records{bof8(), cellFormat(14), dimension8(1, 1), numberAt(0, 5, 1e9), eof()} << qint64(0);
    }
    void soundRecords()
    {
        QFETCH(Records, records);
        QFETCH(qint64, dateDays);
        const Outcome outcome = walk(BiffCheck::Version::Biff8, records);
        QVERIFY(outcome.ok);
        QCOMPARE(outcome.check.dateDays(), dateDays);
    }

    void longestRecordAccepted()
    {
        BiffCheck check(BiffCheck::Version::Biff8);
        QVERIFY(check.add(0x0021, QByteArray(BiffCheck::maxRecordSize, 'x')));
    }
};

QTEST_GUILESS_MAIN(TestBiffCheck)
#include "tst_biffcheck.moc"
