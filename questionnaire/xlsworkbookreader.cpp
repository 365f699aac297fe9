#include "questionnaire/xlsworkbookreader.h"

#include <QDate>
#include <QFile>
#include <QLocale>

#include <freexl.h>
#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-input.h>

#include <memory>

namespace {

struct FreeXlCloser
{
    void operator()(const void *handle) const { freexl_close(handle); }
};
using FreeXlHandle = std::unique_ptr<const void, FreeXlCloser>;

template <typename T>
struct GObjectUnref
{
    void operator()(T *object) const { g_object_unref(object); }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref<T>>;

QString reasonFor(int code)
{
    switch (code) {
    case FREEXL_FILE_NOT_FOUND:
        return QStringLiteral("Файл не найден или недоступен для чтения.");
    case FREEXL_INSUFFICIENT_MEMORY:
        return QStringLiteral("Не хватает памяти, чтобы прочитать книгу.");
    case FREEXL_BIFF_ILLEGAL_SHEET_INDEX:
    case FREEXL_BIFF_UNSELECTED_SHEET:
        return QStringLiteral("В книге нет листа с вопросами.");
    default:
        return QStringLiteral("Файл повреждён или не является книгой Excel 97-2003 (.xls).");
    }
}

// The text Excel hands out for the cell's value: numbers in the user's locale
// without digit grouping, dates in its short form, an empty cell as empty.
QString cellText(const FreeXL_CellValue &value)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    switch (value.type) {
    case FREEXL_CELL_INT:
        return QString::number(value.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return locale.toString(value.value.double_value, 'g', 15);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_TIME:
        return QString::fromUtf8(value.value.text_value);
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME: {
        const QString text = QString::fromUtf8(value.value.text_value);
        const QDate date = QDate::fromString(text.left(10), Qt::ISODate);
        if (!date.isValid())
            return text;
        return locale.toString(date, QLocale::ShortFormat) + text.mid(10);
    }
    default:
        return QString();
    }
}

} // namespace

bool XlsWorkbookReader::open(const QString &path, QString *error)
{
    m_rows.clear();
    const QByteArray name = QFile::encodeName(path);
    const void *raw = nullptr;
    const int opened = freexl_open(name.constData(), &raw);
    // FreeXL wants its handle closed even when opening failed.
    FreeXlHandle handle(raw);
    auto fail = [&](int code) {
        if (error)
            *error = reasonFor(code);
        m_rows.clear();
        return false;
    };
    if (opened != FREEXL_OK)
        return fail(opened);

    unsigned int sheets = 0;
    if (const int rc = freexl_get_info(raw, FREEXL_BIFF_SHEET_COUNT, &sheets); rc != FREEXL_OK)
        return fail(rc);
    if (sheets == 0)
        return fail(FREEXL_BIFF_ILLEGAL_SHEET_INDEX);
    unsigned short sheet = static_cast<unsigned short>(activeSheetIndex(path));
    if (sheet >= sheets)
        sheet = 0;
    if (const int rc = freexl_select_active_worksheet(raw, sheet); rc != FREEXL_OK)
        return fail(rc);

    unsigned int rows = 0;
    unsigned short columns = 0;
    if (const int rc = freexl_worksheet_dimensions(raw, &rows, &columns); rc != FREEXL_OK)
        return fail(rc);
    const unsigned short readColumns = std::min<unsigned short>(columns, columnsRead);
    m_rows.reserve(rows);
    for (unsigned int r = 0; r < rows; ++r) {
        QStringList row;
        for (unsigned short c = 0; c < readColumns; ++c) {
            FreeXL_CellValue value;
            if (const int rc = freexl_get_cell_value(raw, r, c, &value); rc != FREEXL_OK)
                return fail(rc);
            row << cellText(value);
        }
        m_rows << row;
    }
    return true;
}

QString XlsWorkbookReader::cell(int row, int column) const
{
    if (row < 1 || row > m_rows.size())
        return QString();
    const QStringList &cells = m_rows[row - 1];
    return column >= 1 && column <= cells.size() ? cells[column - 1] : QString();
}

int XlsWorkbookReader::activeSheetIndex(const QString &path)
{
    constexpr guint16 recordWindow1 = 0x003D;
    constexpr guint16 recordEof = 0x000A;
    constexpr gsf_off_t itabCurOffset = 10;

    const QByteArray name = QFile::encodeName(path);
    GObjectPtr<GsfInput> file(gsf_input_stdio_new(name.constData(), nullptr));
    if (!file)
        return 0;
    GObjectPtr<GsfInfile> ole(gsf_infile_msole_new(file.get(), nullptr));
    if (!ole)
        return 0;
    // BIFF8 names the stream "Workbook", BIFF5 "Book".
    GsfInput *found = gsf_infile_child_by_name(ole.get(), "Workbook");
    if (!found)
        found = gsf_infile_child_by_name(ole.get(), "Book");
    GObjectPtr<GsfInput> stream(found);
    if (!stream)
        return 0;

    // The window record belongs to the workbook globals, which end at the first EOF.
    while (true) {
        const guint8 *header = gsf_input_read(stream.get(), 4, nullptr);
        if (!header)
            return 0;
        const guint16 type = guint16(header[0] | header[1] << 8);
        const guint16 length = guint16(header[2] | header[3] << 8);
        if (type == recordEof)
            return 0;
        if (type == recordWindow1) {
            if (length < itabCurOffset + 2)
                return 0;
            const guint8 *data = gsf_input_read(stream.get(), length, nullptr);
            return data ? int(data[itabCurOffset] | data[itabCurOffset + 1] << 8) : 0;
        }
        if (gsf_input_seek(stream.get(), length, G_SEEK_CUR))
            return 0;
    }
}
