#include "questionnaire/xlsworkbookreader.h"

#include "platform/textcodec.h"
#include "questionnaire/biffcursor.h"
#include "questionnaire/biffrecordstream.h"

#include <QFile>
#include <QLocale>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-input.h>
#include <memory>
#include <mutex>

namespace {

template <typename T>
struct GObjectUnref
{
    void operator()(T *object) const { g_object_unref(object); }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref<T>>;

const QString kNotFound = QStringLiteral("Файл не найден или недоступен для чтения.");
const QString kDamaged = QStringLiteral("Файл повреждён или не является книгой Excel 97-2003 (.xls).");
const QString kEncrypted =
    QStringLiteral("Книга защищена паролем, и прочитать её нельзя. Снимите пароль в Excel и сохраните книгу снова.");
const QString kNoSheet = QStringLiteral("В книге нет листа с вопросами.");

namespace Record {
constexpr quint16 Bof2 = 0x0009;
constexpr quint16 Bof3 = 0x0209;
constexpr quint16 Bof4 = 0x0409;
constexpr quint16 Bof = 0x0809;
constexpr quint16 Eof = 0x000A;
constexpr quint16 FilePass = 0x002F;
constexpr quint16 CodePage = 0x0042;
constexpr quint16 DateMode = 0x0022;
constexpr quint16 Window1 = 0x003D;
constexpr quint16 BoundSheet = 0x0085;
constexpr quint16 Sst = 0x00FC;
} // namespace Record

// A BOF's kind of substream.
constexpr quint16 worksheetSubstream = 0x0010;

bool isBof(quint16 type)
{
    return type == Record::Bof || type == Record::Bof2 || type == Record::Bof3 || type == Record::Bof4;
}

quint32 key(quint16 row, quint16 column)
{
    return quint32(row) << 2 | column;
}

// An RK value: a 30-bit integer or the top of a double, perhaps in hundredths.
double rkValue(quint32 raw)
{
    double value = 0;
    if (raw & 0x02) {
        value = double(qint32(raw) >> 2);
    } else {
        const quint64 bits = quint64(raw & 0xFFFFFFFCu) << 32;
        std::memcpy(&value, &bits, sizeof value);
    }
    return (raw & 0x01) ? value / 100 : value;
}

// The workbook stream of a compound file, whatever the case of its name:
// Excel 97 and later write "Workbook", Excel 5 "Book".
GsfInput *workbookStream(GsfInfile *ole)
{
    for (const char *wanted : {"workbook", "book"}) {
        for (int i = 0; i < gsf_infile_num_children(ole); ++i) {
            const char *name = gsf_infile_name_by_index(ole, i);
            if (name && g_ascii_strcasecmp(name, wanted) == 0)
                return gsf_infile_child_by_index(ole, i);
        }
    }
    return nullptr;
}

// libgsf complains on stderr about every damaged container; the verdict on
// the file, and its message to the user, are the reader's.
void quietContainerWarnings()
{
    static std::once_flag once;
    std::call_once(once, [] {
        const auto levels = GLogLevelFlags(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE);
        for (const char *domain : {"libgsf", "libgsf:msole"})
            g_log_set_handler(
                domain, levels, [](const gchar *, GLogLevelFlags, const gchar *, gpointer) {}, nullptr);
    });
}

bool encryptedPackage(GsfInfile *ole)
{
    GObjectPtr<GsfInput> package(gsf_infile_child_by_name(ole, "EncryptedPackage"));
    return package != nullptr;
}

QString booleanText(bool value)
{
    if (QLocale().language() == QLocale::Russian)
        return value ? QStringLiteral("ИСТИНА") : QStringLiteral("ЛОЖЬ");
    return value ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
}

QString errorText(quint8 code)
{
    const bool russian = QLocale().language() == QLocale::Russian;
    switch (code) {
    case 0x00:
        return russian ? QStringLiteral("#ПУСТО!") : QStringLiteral("#NULL!");
    case 0x07:
        return russian ? QStringLiteral("#ДЕЛ/0!") : QStringLiteral("#DIV/0!");
    case 0x0F:
        return russian ? QStringLiteral("#ЗНАЧ!") : QStringLiteral("#VALUE!");
    case 0x17:
        return russian ? QStringLiteral("#ССЫЛКА!") : QStringLiteral("#REF!");
    case 0x1D:
        return russian ? QStringLiteral("#ИМЯ?") : QStringLiteral("#NAME?");
    case 0x24:
        return russian ? QStringLiteral("#ЧИСЛО!") : QStringLiteral("#NUM!");
    default:
        return russian ? QStringLiteral("#Н/Д") : QStringLiteral("#N/A");
    }
}

} // namespace

XlsWorkbookReader::XlsWorkbookReader() = default;

XlsWorkbookReader::~XlsWorkbookReader() = default;

void XlsWorkbookReader::close()
{
    m_version = Version::Biff8;
    m_codePage = 1252;
    m_formats = BiffNumberFormats();
    m_sharedText.clear();
    m_sharedStarts.clear();
    m_cells.clear();
    m_pendingString.reset();
    m_nextCellFormat.reset();
    m_rows = 0;
}

bool XlsWorkbookReader::open(const QString &path, QString *error)
{
    close();
    quietContainerWarnings();
    auto fail = [&](const QString &reason) {
        if (error)
            *error = reason;
        close();
        return false;
    };
    const QByteArray name = QFile::encodeName(path);
    GObjectPtr<GsfInput> file(gsf_input_stdio_new(name.constData(), nullptr));
    if (!file)
        return fail(kNotFound);
    GObjectPtr<GsfInfile> ole(gsf_infile_msole_new(file.get(), nullptr));
    GObjectPtr<GsfInput> stream;
    if (ole) {
        stream.reset(workbookStream(ole.get()));
        if (!stream)
            return fail(encryptedPackage(ole.get()) ? kEncrypted : kDamaged);
    } else if (gsf_input_seek(file.get(), 0, G_SEEK_SET)) {
        return fail(kDamaged);
    }
    // Excel 2 to 4 wrote the bare record stream, with no container.
    BiffRecordStream records(stream ? stream.get() : file.get());
    switch (read(records)) {
    case Outcome::Read:
        return true;
    case Outcome::Encrypted:
        return fail(kEncrypted);
    case Outcome::NoSheet:
        return fail(kNoSheet);
    case Outcome::Damaged:
        break;
    }
    return fail(kDamaged);
}

XlsWorkbookReader::Outcome XlsWorkbookReader::read(BiffRecordStream &records)
{
    BiffRecord bof;
    if (!records.next(bof) || !isBof(bof.type) || bof.data.size() < 4)
        return Outcome::Damaged;
    BiffCursor cursor(bof);
    quint16 version = 0;
    quint16 substream = 0;
    cursor.u16(version);
    cursor.u16(substream);
    switch (bof.type) {
    case Record::Bof2:
        m_version = Version::Biff2;
        break;
    case Record::Bof3:
        m_version = Version::Biff3;
        break;
    case Record::Bof4:
        m_version = Version::Biff4;
        break;
    default:
        if (version == 0x0600)
            m_version = Version::Biff8;
        else if (version == 0x0500)
            m_version = Version::Biff5;
        else
            return Outcome::Damaged;
    }
    if (m_version <= Version::Biff4) {
        // One worksheet, its formats and cells together; an Excel 4
        // workbook of bound sheets is not read.
        if (substream != worksheetSubstream)
            return Outcome::NoSheet;
        return readSheet(records);
    }

    QList<qint64> sheets;
    if (const Outcome outcome = readGlobals(records, sheets); outcome != Outcome::Read)
        return outcome;
    for (const qint64 offset : std::as_const(sheets)) {
        BiffRecord sheetBof;
        if (!records.seek(offset) || !records.next(sheetBof))
            return Outcome::Damaged;
        // A sheet listed as a worksheet that turns out to be something else is passed over.
        BiffCursor fields(sheetBof);
        if (sheetBof.type != Record::Bof || !fields.skip(2) || !fields.u16(substream)
            || substream != worksheetSubstream)
            continue;
        return readSheet(records);
    }
    return Outcome::NoSheet;
}

XlsWorkbookReader::Outcome XlsWorkbookReader::readGlobals(BiffRecordStream &records, QList<qint64> &sheets)
{
    struct Sheet
    {
        qint64 offset;
        bool worksheet;
    };
    QList<Sheet> listed;
    quint16 active = 0;
    BiffRecord record;
    while (records.next(record)) {
        BiffCursor cursor(record);
        switch (record.type) {
        case Record::Eof: {
            // The sheet shown on opening; when it is a chart or a macro
            // sheet, the first worksheet, then the others in their order.
            if (active < listed.size() && listed[active].worksheet)
                sheets.append(listed[active].offset);
            for (const Sheet &sheet : std::as_const(listed)) {
                if (sheet.worksheet && (sheets.isEmpty() || sheet.offset != sheets.front()))
                    sheets.append(sheet.offset);
            }
            return Outcome::Read;
        }
        case Record::FilePass:
            return Outcome::Encrypted;
        case Record::Window1:
            if (!cursor.skip(10) || !cursor.u16(active))
                return Outcome::Damaged;
            break;
        case Record::BoundSheet: {
            quint32 offset = 0;
            quint8 visibility = 0;
            quint8 kind = 0;
            if (!cursor.u32(offset) || !cursor.u8(visibility) || !cursor.u8(kind))
                return Outcome::Damaged;
            listed.append({qint64(offset), kind == 0});
            break;
        }
        case Record::Sst:
            if (m_version == Version::Biff8 && !addSharedStrings(record))
                return Outcome::Damaged;
            break;
        default:
            if (!addFormatRecord(record))
                return Outcome::Damaged;
            break;
        }
    }
    // The globals end at their EOF.
    return Outcome::Damaged;
}

bool XlsWorkbookReader::addFormatRecord(const BiffRecord &record)
{
    BiffCursor cursor(record);
    switch (record.type) {
    case Record::CodePage:
        return cursor.u16(m_codePage);
    case Record::DateMode: {
        quint16 mode = 0;
        if (!cursor.u16(mode))
            return false;
        m_formats.setDate1904(mode == 1);
        return true;
    }
    case 0x0043: { // XF of Excel 2: the number format in the low bits of its third byte
        quint8 format = 0;
        if (m_version != Version::Biff2)
            return true;
        if (!cursor.skip(2) || !cursor.u8(format))
            return false;
        m_formats.addCellFormat(format & 0x3F);
        return true;
    }
    case 0x0243: // XF of Excel 3 and 4: the number format in the second byte
    case 0x0443: {
        quint8 format = 0;
        if (m_version != Version::Biff3 && m_version != Version::Biff4)
            return true;
        if (!cursor.skip(1) || !cursor.u8(format))
            return false;
        m_formats.addCellFormat(format);
        return true;
    }
    case 0x00E0: { // XF of Excel 5 and later
        quint16 format = 0;
        if (m_version < Version::Biff5)
            return true;
        if (!cursor.skip(2) || !cursor.u16(format))
            return false;
        m_formats.addCellFormat(format);
        return true;
    }
    case 0x001E: { // FORMAT of Excel 2 and 3, numbered in order
        QString code;
        if (m_version > Version::Biff3)
            return true;
        // A format whose text runs past its record only loses its dates.
        if (!cursor.byteString(
                1, [this](QByteArrayView bytes) { return decode(bytes); }, code))
            code.clear();
        m_formats.addNumberFormat(code);
        return true;
    }
    case 0x041E: { // FORMAT of Excel 4 and later
        quint16 index = 0;
        QString code;
        if (!cursor.u16(index))
            return false;
        // A format whose text runs past its record only loses its dates.
        const bool read = m_version == Version::Biff8
            ? cursor.unicodeString(2, code)
            : cursor.byteString(
                1, [this](QByteArrayView bytes) { return decode(bytes); }, code);
        if (!read)
            code.clear();
        // Excel 4 numbers its formats in order; the first word is unused.
        if (m_version == Version::Biff4)
            m_formats.addNumberFormat(code);
        else
            m_formats.addNumberFormat(index, code);
        return true;
    }
    default:
        return true;
    }
}

bool XlsWorkbookReader::addSharedStrings(const BiffRecord &record)
{
    BiffCursor cursor(record);
    quint32 total = 0;
    quint32 unique = 0;
    if (!cursor.u32(total) || !cursor.u32(unique))
        return false;
    // The count is the file's word: strings are taken while there are bytes.
    QString text;
    for (quint32 i = 0; i < unique && cursor.remaining() > 0; ++i) {
        if (!cursor.unicodeString(2, text))
            return false;
        m_sharedStarts.append(m_sharedText.size());
        m_sharedText += text;
    }
    return true;
}

QString XlsWorkbookReader::sharedString(quint32 index) const
{
    if (index >= quint32(m_sharedStarts.size()))
        return QString();
    const qsizetype start = m_sharedStarts[index];
    const qsizetype end = index + 1 < quint32(m_sharedStarts.size()) ? m_sharedStarts[index + 1] : m_sharedText.size();
    return m_sharedText.mid(start, end - start);
}

XlsWorkbookReader::Outcome XlsWorkbookReader::readSheet(BiffRecordStream &records)
{
    int depth = 1;
    BiffRecord record;
    while (records.next(record)) {
        // Embedded charts are substreams of their own within the sheet.
        if (isBof(record.type)) {
            ++depth;
            continue;
        }
        if (record.type == Record::Eof) {
            if (--depth == 0)
                return Outcome::Read;
            continue;
        }
        if (depth > 1)
            continue;
        if (record.type == Record::FilePass)
            return Outcome::Encrypted;
        if (!addFormatRecord(record) || !addCellRecord(record))
            return Outcome::Damaged;
    }
    // A sheet that ends with the stream, its EOF missing, keeps what was read.
    return records.damaged() ? Outcome::Damaged : Outcome::Read;
}

void XlsWorkbookReader::store(quint16 row, quint16 column, Cell cell)
{
    if (column >= columnsRead)
        return;
    m_rows = std::max(m_rows, int(row) + 1);
    m_cells.insert(key(row, column), std::move(cell));
}

bool XlsWorkbookReader::addCellRecord(const BiffRecord &record)
{
    BiffCursor cursor(record);
    quint16 row = 0;
    quint16 column = 0;
    Cell cell;
    const auto decoder = [this](QByteArrayView bytes) { return decode(bytes); };
    // Every cell record starts with its row and column; then Excel 3 and
    // later give its cell format in a word, Excel 2 in three bytes of attributes.
    const auto position = [&] {
        if (!cursor.u16(row) || !cursor.u16(column))
            return false;
        if (m_version != Version::Biff2)
            return cursor.u16(cell.cellFormat);
        quint8 attributes = 0;
        if (!cursor.u8(attributes) || !cursor.skip(2))
            return false;
        cell.cellFormat = attributes & 0x3F;
        // 63: the format was given by the IXFE record just before.
        if (cell.cellFormat == 63 && m_nextCellFormat)
            cell.cellFormat = *m_nextCellFormat;
        m_nextCellFormat.reset();
        return true;
    };
    // A formula's result: a number, or a marker word 0xFFFF at its end with
    // the kind in its first byte.
    const auto formula = [&] {
        if (!position() || cursor.remaining() < 8)
            return false;
        const QByteArray &data = record.data;
        const qsizetype at = cursor.position();
        if (quint8(data[at + 6]) == 0xFF && quint8(data[at + 7]) == 0xFF) {
            switch (quint8(data[at])) {
            case 0: // text, in the STRING record that follows
                store(row, column, Cell());
                if (column < columnsRead)
                    m_pendingString = key(row, column);
                else
                    m_pendingString.reset();
                return true;
            case 1:
                cell.kind = Cell::Kind::Boolean;
                cell.number = quint8(data[at + 2]) != 0;
                break;
            case 2:
                cell.kind = Cell::Kind::Error;
                cell.number = quint8(data[at + 2]);
                break;
            default: // 3: an empty text
                break;
            }
        } else {
            cell.kind = Cell::Kind::Number;
            cursor.f64(cell.number);
        }
        m_pendingString.reset();
        store(row, column, std::move(cell));
        return true;
    };

    // The declared rectangle, which cells may still lie outside; an Excel 97
    // sheet claiming rows beyond any sheet's is damaged.
    if (record.type == (m_version == Version::Biff2 ? 0x0000 : 0x0200)) { // DIMENSIONS
        quint32 rows = 0;
        if (m_version == Version::Biff8) {
            if (!cursor.skip(4) || !cursor.u32(rows) || rows > quint32(maxRows))
                return false;
        } else {
            // Some writers claim every row a 16-bit field can name: the
            // sheet is as long as the version's grid, or its farthest cell.
            quint16 shortRows = 0;
            if (!cursor.skip(2) || !cursor.u16(shortRows))
                return false;
            rows = std::min<quint32>(shortRows, maxRowsBefore97);
        }
        m_rows = std::max(m_rows, int(rows));
        return true;
    }

    if (m_version == Version::Biff2) {
        switch (record.type) {
        case 0x0044: { // IXFE
            quint16 format = 0;
            if (!cursor.u16(format))
                return false;
            m_nextCellFormat = format;
            return true;
        }
        case 0x0001: // BLANK
            if (!position())
                return false;
            store(row, column, std::move(cell));
            return true;
        case 0x0002: { // INTEGER
            quint16 value = 0;
            if (!position() || !cursor.u16(value))
                return false;
            cell.kind = Cell::Kind::Number;
            cell.number = value;
            store(row, column, std::move(cell));
            return true;
        }
        case 0x0003: // NUMBER
            if (!position() || !cursor.f64(cell.number))
                return false;
            cell.kind = Cell::Kind::Number;
            store(row, column, std::move(cell));
            return true;
        case 0x0004: // LABEL
            if (!position() || !cursor.byteString(1, decoder, cell.text))
                return false;
            cell.kind = Cell::Kind::Text;
            store(row, column, std::move(cell));
            return true;
        case 0x0005: { // BOOLERR
            quint8 value = 0;
            quint8 isError = 0;
            if (!position() || !cursor.u8(value) || !cursor.u8(isError))
                return false;
            cell.kind = isError ? Cell::Kind::Error : Cell::Kind::Boolean;
            cell.number = value;
            store(row, column, std::move(cell));
            return true;
        }
        case 0x0006: // FORMULA
            return formula();
        case 0x0007: { // STRING: a formula's text result
            QString text;
            if (!cursor.byteString(1, decoder, text))
                return false;
            if (m_pendingString)
                m_cells[*m_pendingString] = Cell{Cell::Kind::Text, 0, 0, 0, text};
            m_pendingString.reset();
            return true;
        }
        default:
            return true;
        }
    }

    switch (record.type) {
    case 0x0201: // BLANK
        if (!position())
            return false;
        store(row, column, std::move(cell));
        return true;
    case 0x0203: // NUMBER
        if (!position() || !cursor.f64(cell.number))
            return false;
        cell.kind = Cell::Kind::Number;
        store(row, column, std::move(cell));
        return true;
    case 0x027E: { // RK
        quint32 raw = 0;
        if (!position() || !cursor.u32(raw))
            return false;
        cell.kind = Cell::Kind::Number;
        cell.number = rkValue(raw);
        store(row, column, std::move(cell));
        return true;
    }
    case 0x00BD:   // MULRK: a cell format and an RK value a column, the last column at the end
    case 0x00BE: { // MULBLANK: a cell format a column
        if (m_version < Version::Biff5)
            return true;
        const qsizetype each = record.type == 0x00BD ? 6 : 2;
        if (!cursor.u16(row) || !cursor.u16(column) || record.data.size() < 6)
            return false;
        const quint16 last = qFromLittleEndian<quint16>(record.data.constData() + record.data.size() - 2);
        if (last < column || 4 + (qsizetype(last - column) + 1) * each + 2 > record.data.size())
            return false;
        for (quint32 at = column; at <= last && at < quint32(columnsRead); ++at) {
            Cell one;
            if (!cursor.u16(one.cellFormat))
                return false;
            if (each == 6) {
                quint32 raw = 0;
                if (!cursor.u32(raw))
                    return false;
                one.kind = Cell::Kind::Number;
                one.number = rkValue(raw);
            }
            store(row, quint16(at), std::move(one));
        }
        return true;
    }
    case 0x0204: // LABEL
    case 0x00D6: // RSTRING: a LABEL with formatting runs after it
        if (!position())
            return false;
        if (m_version == Version::Biff8 ? !cursor.unicodeString(2, cell.text)
                                        : !cursor.byteString(2, decoder, cell.text))
            return false;
        cell.kind = Cell::Kind::Text;
        store(row, column, std::move(cell));
        return true;
    case 0x00FD: // LABELSST: a shared string by its index
        if (m_version < Version::Biff8)
            return true;
        if (!position() || !cursor.u32(cell.shared) || cell.shared >= quint32(m_sharedStarts.size()))
            return false;
        cell.kind = Cell::Kind::Shared;
        store(row, column, std::move(cell));
        return true;
    case 0x0205: { // BOOLERR
        quint8 value = 0;
        quint8 isError = 0;
        if (!position() || !cursor.u8(value) || !cursor.u8(isError))
            return false;
        cell.kind = isError ? Cell::Kind::Error : Cell::Kind::Boolean;
        cell.number = value;
        store(row, column, std::move(cell));
        return true;
    }
    case 0x0006: // FORMULA of Excel 5 and later
    case 0x0206: // of Excel 3
    case 0x0406: // of Excel 4
        return formula();
    case 0x0207: { // STRING: a formula's text result
        QString text;
        if (m_version == Version::Biff8 ? !cursor.unicodeString(2, text) : !cursor.byteString(2, decoder, text))
            return false;
        if (m_pendingString)
            m_cells[*m_pendingString] = Cell{Cell::Kind::Text, 0, 0, 0, text};
        m_pendingString.reset();
        return true;
    }
    default:
        return true;
    }
}

QString XlsWorkbookReader::decode(QByteArrayView bytes) const
{
    switch (m_codePage) {
    case 1251:
        return TextCodec::fromCp1251(bytes);
    case 1200:
        return QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.data()), bytes.size() / 2);
    default:
        break;
    }
    QByteArray name;
    switch (m_codePage) {
    case 367:
        name = "ASCII";
        break;
    case 10000:
    case 32768:
        name = "MACINTOSH";
        break;
    case 32769:
        name = "CP1252";
        break;
    default:
        name = "CP" + QByteArray::number(m_codePage);
        break;
    }
    gsize written = 0;
    gchar *utf8 = g_convert(bytes.data(), gssize(bytes.size()), "UTF-8", name.constData(), nullptr, &written, nullptr);
    if (!utf8)
        return QString::fromLatin1(bytes);
    const QString text = QString::fromUtf8(utf8, qsizetype(written));
    g_free(utf8);
    return text;
}

QString XlsWorkbookReader::cell(int row, int column) const
{
    if (row < 1 || row > m_rows || column < 1 || column > columnsRead)
        return QString();
    const auto found = m_cells.constFind(key(quint16(row - 1), quint16(column - 1)));
    if (found == m_cells.cend())
        return QString();
    const Cell &cell = found.value();
    switch (cell.kind) {
    case Cell::Kind::Empty:
        return QString();
    case Cell::Kind::Number:
        return m_formats.text(cell.number, cell.cellFormat, QLocale());
    case Cell::Kind::Shared:
        return sharedString(cell.shared);
    case Cell::Kind::Text:
        return cell.text;
    case Cell::Kind::Boolean:
        return booleanText(cell.number != 0);
    case Cell::Kind::Error:
        return errorText(quint8(cell.number));
    }
    return QString();
}

int XlsWorkbookReader::activeSheetIndex(const QString &path)
{
    quietContainerWarnings();
    const QByteArray name = QFile::encodeName(path);
    GObjectPtr<GsfInput> file(gsf_input_stdio_new(name.constData(), nullptr));
    if (!file)
        return 0;
    GObjectPtr<GsfInfile> ole(gsf_infile_msole_new(file.get(), nullptr));
    if (!ole)
        return 0;
    GObjectPtr<GsfInput> stream(workbookStream(ole.get()));
    if (!stream)
        return 0;
    BiffRecordStream records(stream.get());
    BiffRecord record;
    // The window record belongs to the workbook globals, which end at the first EOF.
    while (records.next(record) && record.type != Record::Eof) {
        BiffCursor cursor(record);
        quint16 active = 0;
        if (record.type == Record::Window1)
            return cursor.skip(10) && cursor.u16(active) ? active : 0;
    }
    return 0;
}
