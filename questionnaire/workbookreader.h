#pragma once

#include <QString>

// The cells of one questionnaire workbook: the sheet that was active when the
// workbook was saved, as the texts a user sees in it.
class WorkbookReader
{
public:
    virtual ~WorkbookReader() = default;

    // False, with the reason in words for the user, when the workbook cannot be read.
    virtual bool open(const QString &path, QString *error) = 0;
    // Rows 1 to rowCount() hold the sheet's data.
    virtual int rowCount() const = 0;
    // Row and column count from 1; a cell outside the data is empty.
    virtual QString cell(int row, int column) const = 0;
};
