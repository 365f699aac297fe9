#pragma once

#include "questionnaire/biffnumberformats.h"
#include "questionnaire/workbookreader.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

class BiffRecordStream;
struct BiffRecord;

// Reads an Excel workbook (.xls: Excel 97 to 2003, Excel 5/95, and the bare
// worksheets of Excel 2 to 4) record by record from the container libgsf
// opens. Only the first three columns of the sheet shown on opening are
// kept, each cell as its value (a formula's as the result stored with it);
// every field is read within the record that holds it, so a damaged or
// hostile file is refused, never read past, and the memory taken follows
// the cells and strings the file really holds, not what it claims.
class XlsWorkbookReader final : public WorkbookReader
{
public:
    // Only the first columns matter to a questionnaire.
    static constexpr int columnsRead = 3;
    // The most rows a sheet has: Excel 97 and later, and earlier versions.
    static constexpr int maxRows = 65536;
    static constexpr int maxRowsBefore97 = 16384;

    XlsWorkbookReader();
    ~XlsWorkbookReader() override;

    bool open(const QString &path, QString *error) override;
    int rowCount() const override { return m_rows; }
    QString cell(int row, int column) const override;

    // Index of the sheet active when the workbook was saved; 0 when the file
    // names none (or is not a workbook at all).
    static int activeSheetIndex(const QString &path);

private:
    enum class Version { Biff2 = 2, Biff3, Biff4, Biff5, Biff8 = 8 };
    enum class Outcome { Read, Damaged, Encrypted, NoSheet };
    struct Cell
    {
        enum class Kind : quint8 { Empty, Number, Shared, Text, Boolean, Error };
        Kind kind = Kind::Empty;
        quint16 cellFormat = 0;
        double number = 0;
        quint32 shared = 0;
        QString text;
    };

    void close();
    Outcome read(BiffRecordStream &records);
    Outcome readGlobals(BiffRecordStream &records, QList<qint64> &sheets);
    Outcome readSheet(BiffRecordStream &records);
    // False when the record is damaged.
    bool addFormatRecord(const BiffRecord &record);
    bool addSharedStrings(const BiffRecord &record);
    bool addCellRecord(const BiffRecord &record);
    void store(quint16 row, quint16 column, Cell cell);
    QString decode(QByteArrayView bytes) const;
    QString sharedString(quint32 index) const;

    Version m_version = Version::Biff8;
    quint16 m_codePage = 1252;
    BiffNumberFormats m_formats;
    // The shared strings one after the other, and where each starts.
    QString m_sharedText;
    QList<qsizetype> m_sharedStarts;
    QHash<quint32, Cell> m_cells;
    // A formula whose text result follows in a STRING record.
    std::optional<quint32> m_pendingString;
    // The cell format of the next Excel 2 cell that names none of its own.
    std::optional<quint16> m_nextCellFormat;
    int m_rows = 0;
};
