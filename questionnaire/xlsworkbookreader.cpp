#include "questionnaire/xlsworkbookreader.h"

#include "questionnaire/biffcheck.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryFile>

#include <algorithm>
#include <array>
#include <freexl.h>
#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-input.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>
#include <limits>
#include <memory>
#include <optional>

namespace {

template <typename T>
struct GObjectUnref
{
    void operator()(T *object) const { g_object_unref(object); }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref<T>>;

const QString kDamaged = QStringLiteral("Файл повреждён или не является книгой Excel 97-2003 (.xls).");
const QString kNoCopy = QStringLiteral("Не удалось создать временный файл, чтобы прочитать книгу.");

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
        return kDamaged;
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

// Walks the records of a workbook stream through the check, copying each
// record to the output when there is one.
bool walkRecords(GsfInput *input, std::optional<BiffCheck> &check, GsfOutput *output)
{
    std::array<guint8, 4 + BiffCheck::maxRecordSize> record;
    while (gsf_input_remaining(input) >= 4 && !(check && check->complete())) {
        if (!gsf_input_read(input, 4, record.data()))
            return false;
        const guint16 type = guint16(record[0] | record[1] << 8);
        const guint16 length = guint16(record[2] | record[3] << 8);
        if (length > BiffCheck::maxRecordSize)
            return false;
        if (length > 0 && !gsf_input_read(input, length, record.data() + 4))
            return false;
        const QByteArrayView payload(reinterpret_cast<const char *>(record.data() + 4), length);
        if (!check) {
            const std::optional<BiffCheck::Version> version = BiffCheck::versionOf(type, payload);
            if (!version)
                return false;
            check.emplace(*version);
        }
        if (!check->add(type, payload))
            return false;
        if (output && !gsf_output_write(output, 4 + length, record.data()))
            return false;
    }
    if (!check || !check->finish())
        return false;
    if (!output)
        return true;
    // Padded with zeros to a whole big block, as Excel writes it, so that the
    // copy never lands in the container's small-block stream.
    constexpr gsf_off_t bigBlock = 4096;
    record.fill(0);
    for (gsf_off_t size = gsf_output_size(output); size < bigBlock || size % bigBlock != 0;) {
        const gsf_off_t step = std::min<gsf_off_t>(gsf_off_t(record.size()), bigBlock - size % bigBlock);
        if (!gsf_output_write(output, size_t(step), record.data()))
            return false;
        size += step;
    }
    return true;
}

} // namespace

XlsWorkbookReader::XlsWorkbookReader() = default;

XlsWorkbookReader::~XlsWorkbookReader() = default;

void XlsWorkbookReader::FreeXlCloser::operator()(const void *handle) const
{
    freexl_close(handle);
}

void XlsWorkbookReader::close()
{
    m_handle.reset();
    m_copy.reset();
    m_rows = 0;
    m_columns = 0;
}

bool XlsWorkbookReader::open(const QString &path, QString *error)
{
    close();
    auto fail = [&](const QString &reason) {
        if (error)
            *error = reason;
        close();
        return false;
    };
    const QByteArray name = QFile::encodeName(path);
    GObjectPtr<GsfInput> file(gsf_input_stdio_new(name.constData(), nullptr));
    if (!file)
        return fail(reasonFor(FREEXL_FILE_NOT_FOUND));
    std::optional<BiffCheck> check;
    QByteArray readable = name;
    GObjectPtr<GsfInfile> ole(gsf_infile_msole_new(file.get(), nullptr));
    if (!ole) {
        // Excel 2 to 4 wrote the bare record stream, which FreeXL reads as it is.
        if (gsf_input_seek(file.get(), 0, G_SEEK_SET) || !walkRecords(file.get(), check, nullptr)
            || check->slackBytes() > maxSlackBytes || check->version() >= BiffCheck::Version::Biff5)
            return fail(kDamaged);
    } else {
        const char *streamName = "Workbook"; // Excel 5 names it "Book"
        GsfInput *found = gsf_infile_child_by_name(ole.get(), streamName);
        if (!found) {
            streamName = "Book";
            found = gsf_infile_child_by_name(ole.get(), streamName);
        }
        GObjectPtr<GsfInput> stream(found);
        if (!stream)
            return fail(kDamaged);

        m_copy = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/palmora-XXXXXX.xls"));
        if (!m_copy->open())
            return fail(kNoCopy);
        m_copy->close();
        readable = QFile::encodeName(m_copy->fileName());
        GObjectPtr<GsfOutput> sink(gsf_output_stdio_new(readable.constData(), nullptr));
        if (!sink)
            return fail(kNoCopy);
        GObjectPtr<GsfOutfile> copy(gsf_outfile_msole_new(sink.get()));
        GObjectPtr<GsfOutput> copied(gsf_outfile_new_child(copy.get(), streamName, FALSE));
        const bool walked = walkRecords(stream.get(), check, copied.get());
        const bool written = gsf_output_close(copied.get()) && gsf_output_close(GSF_OUTPUT(copy.get()))
            && (gsf_output_is_closed(sink.get()) || gsf_output_close(sink.get()));
        // A claimed size that cannot be honoured: no workbook anyone saved.
        if (!walked || check->slackBytes() > maxSlackBytes || check->version() < BiffCheck::Version::Biff5)
            return fail(kDamaged);
        if (!written)
            return fail(kNoCopy);
    }

    const void *raw = nullptr;
    const int opened = freexl_open(readable.constData(), &raw);
    // FreeXL wants its handle closed even when opening failed.
    m_handle.reset(raw);
    if (opened != FREEXL_OK)
        return fail(reasonFor(opened));

    unsigned int sheets = 0;
    if (const int rc = freexl_get_info(raw, FREEXL_BIFF_SHEET_COUNT, &sheets); rc != FREEXL_OK)
        return fail(reasonFor(rc));
    if (sheets == 0)
        return fail(reasonFor(FREEXL_BIFF_ILLEGAL_SHEET_INDEX));
    unsigned short sheet = static_cast<unsigned short>(activeSheetIndex(path));
    if (sheet >= sheets)
        sheet = 0;
    if (const int rc = freexl_select_active_worksheet(raw, sheet); rc != FREEXL_OK)
        return fail(reasonFor(rc));

    unsigned int rows = 0;
    unsigned short columns = 0;
    if (const int rc = freexl_worksheet_dimensions(raw, &rows, &columns); rc != FREEXL_OK)
        return fail(reasonFor(rc));
    m_rows = int(std::min<unsigned int>(rows, std::numeric_limits<int>::max()));
    m_columns = std::min<int>(columns, columnsRead);
    return true;
}

QString XlsWorkbookReader::cell(int row, int column) const
{
    if (!m_handle || row < 1 || row > m_rows || column < 1 || column > m_columns)
        return QString();
    FreeXL_CellValue value;
    if (freexl_get_cell_value(m_handle.get(), unsigned(row - 1), static_cast<unsigned short>(column - 1), &value)
        != FREEXL_OK)
        return QString();
    return cellText(value);
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
