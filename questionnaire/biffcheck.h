#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QtGlobal>

#include <optional>

// Walks the records of a BIFF stream, one at a time, and tells what a reader
// that takes the stream's word for its sizes would set aside: FreeXL makes one
// cell slot for every cell of each sheet's declared rectangle, and one string
// slot for every string the shared-string table announces, before it looks at
// a single value. A damaged or hostile file can announce far more than it
// holds. It also refuses what would make FreeXL read past a record (a text
// longer than the record that holds it, more cell formats than it has room
// for) or count days for minutes (a date millions of years away). Only the
// sheets' offsets and the cell formats are kept, never a record.
class BiffCheck
{
public:
    // Excel 2 to 4 write a bare stream; Excel 5 and later a compound file.
    enum class Version { Biff2, Biff3, Biff4, Biff5, Biff8 };

    // What FreeXL keeps per cell slot and per string slot.
    static constexpr qint64 cellSlotBytes = 16;
    static constexpr qint64 stringSlotBytes = 8;
    // The largest record a reader buffers; longer ones are damage.
    static constexpr qsizetype maxRecordSize = 8224;
    // The cell formats FreeXL has room for.
    static constexpr qsizetype maxCellFormats = 8192;
    // FreeXL counts a date out day by day from 1900: the days it may count
    // over all cells, a second or so of work.
    static constexpr qint64 maxDateDays = 500'000'000;

    // The version a stream's first record declares, none when it is no BOF.
    static std::optional<Version> versionOf(quint16 type, QByteArrayView payload);

    explicit BiffCheck(Version version)
        : m_version(version)
    {}
    Version version() const { return m_version; }

    // False when the record is damaged in a way a reader would trip over.
    bool add(quint16 type, QByteArrayView payload);
    // After the last record; false when the stream as a whole would trip a
    // reader up.
    bool finish();
    // A bare stream (Excel 2 to 4) holds one sheet and ends at its EOF: a
    // reader reads nothing after it.
    bool complete() const { return legacy() && m_afterEof; }

    qint64 claimedCells() const { return m_claimedCells; }
    qint64 realCells() const { return m_realCells; }
    qint64 claimedStrings() const { return m_claimedStrings; }
    qint64 stringBytes() const { return m_stringBytes; }
    qint64 dateDays() const { return m_dateDays; }

    // Memory the claims would take beyond what the records hold: slots for
    // cells no record fills, and for strings no bytes could spell (the
    // shortest string takes three bytes).
    qint64 slackBytes() const;

private:
    bool legacy() const { return m_version <= Version::Biff4; }
    void claim(qint64 cells);
    void beginSubstream(qint64 offset);
    void endSubstream();
    bool addCell(QByteArrayView payload, qint64 values, bool multiple);
    bool addStrings(QByteArrayView payload, bool continued);
    bool addCellFormat(quint16 format);
    bool addNumberFormat(quint32 index, QByteArrayView text, bool wide);
    bool addDays(quint16 cellFormat, qint64 days);
    bool addNumber(quint16 cellFormat, double value);
    bool addRk(quint16 cellFormat, QByteArrayView rk);

    Version m_version;
    qint64 m_offset = 0; // of the record being added, from the stream's start
    qint64 m_claimedCells = 0;
    qint64 m_realCells = 0;
    qint64 m_largestClaim = 0;
    qint64 m_claimedStrings = 0;
    qint64 m_stringBytes = 0;
    bool m_inStrings = false;
    // Where FreeXL stands in the shared-string table: strings still to read,
    // and the characters and trailing bytes of one cut at a record's end.
    bool m_stringsStarted = false;
    qint64 m_stringsLeft = 0;
    qint64 m_pendingChars = 0;
    qint64 m_pendingSkip = 0;

    // Cell formats by index (each naming a number format) and the number
    // formats that show a date, as FreeXL judges them.
    enum class DateKind { None, Date, Time };
    QList<quint16> m_cellFormats;
    QHash<quint32, DateKind> m_numberFormats;
    qsizetype m_dateFormatsKept = 0;
    quint32 m_nextLegacyFormat = 0;
    qint64 m_dateDays = 0;

    // The sheets the workbook lists, by the offset of their BOF, whether a
    // DIMENSIONS record was read while each was the current one, and the one
    // a reader takes as current: the sheet whose BOF it met last.
    QList<bool> m_sheetDimensioned;
    QHash<quint32, qsizetype> m_sheetAt;
    std::optional<qsizetype> m_currentSheet;
    bool m_afterEof = false;
    bool m_seenBof = false;

    bool m_inSubstream = false;
    bool m_hasDimension = false;
    bool m_cellBeforeDimension = false;
    qint64 m_maxRow = -1;
    qint64 m_maxColumn = -1;
};
