#pragma once

// The check shared by the workbook fuzz target and the test that replays its
// seed corpus. It returns false when the reader went wrong on the input.

#include "questionnaire/xlsworkbookreader.h"

#include <QDir>
#include <QTemporaryFile>

#include <cstddef>
#include <cstdint>

namespace FuzzChecks {

// Any bytes as a workbook file: either refused with a reason, or opened with
// no more rows than a sheet has, each of the first three columns readable row
// by row and nothing outside them.
inline bool workbook(const uint8_t *data, std::size_t size)
{
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/palmora-fuzz-XXXXXX.xls"));
    if (!file.open() || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        return true; // nothing to say about the reader
    file.close();

    XlsWorkbookReader reader;
    QString error;
    if (!reader.open(file.fileName(), &error))
        return !error.isEmpty() && reader.rowCount() == 0;
    if (reader.rowCount() < 0 || reader.rowCount() > XlsWorkbookReader::maxRows)
        return false;
    for (int row = 1; row <= reader.rowCount(); ++row) {
        for (int column = 1; column <= XlsWorkbookReader::columnsRead; ++column)
            reader.cell(row, column);
    }
    return reader.cell(reader.rowCount() + 1, 1).isEmpty()
        && reader.cell(1, XlsWorkbookReader::columnsRead + 1).isEmpty() && reader.cell(0, 1).isEmpty();
}

} // namespace FuzzChecks
