#pragma once

#include "questionnaire/workbookreader.h"

#include <QString>

#include <memory>

class QTemporaryFile;

// Reads an Excel (.xls) workbook with FreeXL. FreeXL takes a file's word for
// its sizes and sets the whole sheet aside before reading a value, so the
// workbook stream is first walked record by record (and copied into a fresh
// container libgsf writes, so that FreeXL never meets a damaged one), and a
// workbook claiming more than it holds is refused as damaged. Cells are then
// taken from FreeXL one at a time, as the questionnaire asks for them.
// FreeXL does not say which sheet was active when the workbook was saved, so
// that comes from the workbook's window record, read through libgsf.
class XlsWorkbookReader final : public WorkbookReader
{
public:
    // Only the first columns matter to a questionnaire.
    static constexpr int columnsRead = 3;
    // What a workbook's claims may take beyond its real content.
    static constexpr qint64 maxSlackBytes = 4 << 20;

    XlsWorkbookReader();
    ~XlsWorkbookReader() override;

    bool open(const QString &path, QString *error) override;
    int rowCount() const override { return m_rows; }
    QString cell(int row, int column) const override;

    // Index of the sheet active when the workbook was saved; 0 when the file
    // names none (or is not a compound file at all).
    static int activeSheetIndex(const QString &path);

private:
    void close();

    struct FreeXlCloser
    {
        void operator()(const void *handle) const;
    };
    std::unique_ptr<const void, FreeXlCloser> m_handle;
    std::unique_ptr<QTemporaryFile> m_copy;
    int m_rows = 0;
    int m_columns = 0;
};
