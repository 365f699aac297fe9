#pragma once

#include "questionnaire/workbookreader.h"

#include <QList>
#include <QStringList>

// Reads an Excel 97-2003 (.xls) workbook with FreeXL. FreeXL does not say which
// sheet was active when the workbook was saved, so that comes from the
// workbook's window record, read through libgsf.
class XlsWorkbookReader final : public WorkbookReader
{
public:
    // Only the first columns matter to a questionnaire.
    static constexpr int columnsRead = 3;

    bool open(const QString &path, QString *error) override;
    int rowCount() const override { return int(m_rows.size()); }
    QString cell(int row, int column) const override;

    // Index of the sheet active when the workbook was saved; 0 when the file
    // names none (or is not a compound file at all).
    static int activeSheetIndex(const QString &path);

private:
    QList<QStringList> m_rows;
};
