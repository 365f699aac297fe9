#include "questionnaire/biffcheck.h"

#include <QtEndian>

#include <algorithm>
#include <bit>
#include <limits>

namespace {

constexpr quint16 recordEof = 0x000A;
constexpr quint16 recordBof2 = 0x0009;
constexpr quint16 recordBof3 = 0x0209;
constexpr quint16 recordBof4 = 0x0409;
constexpr quint16 recordBof = 0x0809;
constexpr quint16 recordDimension2 = 0x0000;
constexpr quint16 recordDimension = 0x0200;
constexpr quint16 recordBoundSheet = 0x0085;
constexpr quint16 recordSst = 0x00FC;
constexpr quint16 recordContinue = 0x003C;

constexpr qint64 most = std::numeric_limits<qint64>::max();

quint16 word(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.data() + at);
}

quint32 dword(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.data() + at);
}

// A crafted file may repeat its claims until plain arithmetic would wrap.
qint64 saturatingAdd(qint64 a, qint64 b)
{
    return a > most - b ? most : a + b;
}

qint64 saturatingMultiply(qint64 a, qint64 b)
{
    return a != 0 && b > most / a ? most : a * b;
}

// How FreeXL reads the header of a Unicode string: a flags byte (0x01 two
// bytes a character, 0x04 a 32-bit phonetic size follows, 0x08 a 16-bit count
// of formatting runs follows), after which the characters start.
struct UnicodeHeader
{
    qsizetype size;
    bool wide;
    bool phonetic;
    qint64 runs;
};

std::optional<UnicodeHeader> unicodeHeader(QByteArrayView bytes, qsizetype at)
{
    if (at >= bytes.size())
        return std::nullopt;
    const quint8 flags = quint8(bytes[at]);
    UnicodeHeader header{1, (flags & 0x01) != 0, (flags & 0x04) != 0, 0};
    if (header.phonetic)
        header.size += 4;
    if (flags & 0x08) {
        if (at + header.size + 2 > bytes.size())
            return std::nullopt;
        header.runs = word(bytes, at + header.size);
        header.size += 2;
    }
    if (at + header.size > bytes.size())
        return std::nullopt;
    return header;
}

// Whether a number format shows a date, as FreeXL judges it: by the letters
// for years, months, days, hours and seconds it holds.
template <typename Units>
int dateKind(const Units &units)
{
    int y = 0, m = 0, d = 0, h = 0, s = 0;
    for (const auto unit : units) {
        switch (unit) {
        case 'Y':
        case 'y':
            ++y;
            break;
        case 'M':
        case 'm':
            ++m;
            break;
        case 'D':
        case 'd':
            ++d;
            break;
        case 'H':
        case 'h':
            ++h;
            break;
        case 'S':
        case 's':
            ++s;
            break;
        default:
            break;
        }
    }
    if ((y && m && d && h) || (y && m) || (m && d))
        return 1; // a date: counted out day by day
    if ((h && m) || (m && s))
        return 2; // a time of day
    return 0;
}

} // namespace

std::optional<BiffCheck::Version> BiffCheck::versionOf(quint16 type, QByteArrayView payload)
{
    switch (type) {
    case recordBof2:
        return Version::Biff2;
    case recordBof3:
        return Version::Biff3;
    case recordBof4:
        return Version::Biff4;
    case recordBof:
        if (payload.size() < 2)
            return std::nullopt;
        if (word(payload, 0) == 0x0600)
            return Version::Biff8;
        if (word(payload, 0) == 0x0500)
            return Version::Biff5;
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

void BiffCheck::claim(qint64 cells)
{
    m_claimedCells = saturatingAdd(m_claimedCells, cells);
    m_largestClaim = std::max(m_largestClaim, cells);
}

bool BiffCheck::add(quint16 type, QByteArrayView payload)
{
    const qint64 offset = m_offset;
    m_offset = saturatingAdd(m_offset, 4 + payload.size());
    if (payload.size() > maxRecordSize)
        return false;
    if (m_inStrings && type == recordContinue) {
        m_stringBytes = saturatingAdd(m_stringBytes, payload.size());
        return addStrings(payload, true);
    }
    m_inStrings = false;

    switch (type) {
    case recordBof:
    case recordBof2:
    case recordBof3:
    case recordBof4:
        beginSubstream(offset);
        return true;
    case recordEof:
        endSubstream();
        m_afterEof = true;
        return true;
    case recordBoundSheet:
        if (legacy())
            return true;
        if (payload.size() < 8)
            return false;
        // A reader takes the first sheet listed at an offset.
        if (!m_sheetAt.contains(dword(payload, 0)))
            m_sheetAt.insert(dword(payload, 0), m_sheetDimensioned.size());
        m_sheetDimensioned.append(false);
        return true;
    case recordSst:
        if (legacy())
            return true;
        m_inStrings = true;
        // FreeXL reads a second table as more of the first.
        if (m_stringsStarted) {
            m_stringBytes = saturatingAdd(m_stringBytes, payload.size());
            return addStrings(payload, true);
        }
        if (payload.size() < 8)
            return false;
        m_stringsStarted = true;
        m_claimedStrings = dword(payload, 4);
        m_stringsLeft = m_claimedStrings;
        m_stringBytes = payload.size() - 8;
        return addStrings(payload, false);
    default:
        break;
    }

    if (type == (m_version == Version::Biff2 ? recordDimension2 : recordDimension)) {
        qint64 rows = 0;
        qint64 columns = 0;
        if (m_version == Version::Biff8) {
            if (payload.size() < 12)
                return false;
            rows = dword(payload, 4);
            columns = word(payload, 10);
        } else {
            if (payload.size() < 8)
                return false;
            rows = word(payload, 2);
            columns = word(payload, 6);
        }
        // A reader walks every claimed row, even one without a column.
        claim(rows * std::max<qint64>(columns, 1));
        m_hasDimension = true;
        if (m_currentSheet)
            m_sheetDimensioned[*m_currentSheet] = true;
        return true;
    }

    if (m_version == Version::Biff2) {
        switch (type) {
        case 0x0002: // INTEGER: its value, a whole number of days at most
            if (payload.size() < 9)
                return false;
            if (!addDays(quint8(payload[4]) & 0x3F, word(payload, 7)))
                return false;
            return addCell(payload, 1, false);
        case 0x0003: // NUMBER
            if (payload.size() < 15)
                return false;
            if (!addNumber(quint8(payload[4]) & 0x3F, qFromLittleEndian<double>(payload.data() + 7)))
                return false;
            return addCell(payload, 1, false);
        case 0x0004: // LABEL: its length in one byte
            if (payload.size() < 8 || 8 + quint8(payload[7]) > payload.size())
                return false;
            return addCell(payload, 1, false);
        case 0x0005: // BOOLERR
            return addCell(payload, 1, false);
        case 0x0001: // BLANK
        case 0x0006: // FORMULA
            return addCell(payload, 0, false);
        case 0x0043: // XF
            return payload.size() >= 3 && addCellFormat(quint8(payload[2]) & 0x3F);
        case 0x001E: // FORMAT: its length in the first byte
            if (payload.isEmpty() || 1 + quint8(payload[0]) > payload.size())
                return false;
            return addNumberFormat(m_nextLegacyFormat++, payload.sliced(1, quint8(payload[0])), false);
        default:
            return true;
        }
    }

    switch (type) {
    case 0x0203: // NUMBER
        if (payload.size() < 14)
            return false;
        if (!addNumber(word(payload, 4), qFromLittleEndian<double>(payload.data() + 6)))
            return false;
        return addCell(payload, 1, false);
    case 0x027E: // RK
        if (payload.size() < 10)
            return false;
        if (!addRk(word(payload, 4), payload.sliced(6, 4)))
            return false;
        return addCell(payload, 1, false);
    case 0x00BD: // MULRK: a format and a value, six bytes a column, between the row, first and last column
        if (legacy())
            return true;
        for (qsizetype at = 4; at + 6 < payload.size(); at += 6) {
            if (!addRk(word(payload, at), payload.sliced(at + 2, 4)))
                return false;
        }
        return addCell(payload, std::max<qint64>(0, (payload.size() - 6) / 6), true);
    case 0x0204: { // LABEL
        if (payload.size() < 8)
            return false;
        const qint64 chars = word(payload, 6);
        if (m_version == Version::Biff8) {
            const std::optional<UnicodeHeader> header = unicodeHeader(payload, 8);
            if (!header || 8 + header->size + chars * (header->wide ? 2 : 1) > payload.size())
                return false;
        } else if (8 + chars > payload.size()) {
            return false;
        }
        return addCell(payload, 1, false);
    }
    case 0x0205: // BOOLERR
    case 0x00FD: // LABELSST
    case 0x00D6: // RSTRING
        return addCell(payload, 1, false);
    case 0x0201: // BLANK
    case 0x0006: // FORMULA
    case 0x0206:
    case 0x0406:
        return addCell(payload, 0, false);
    case 0x00BE: // MULBLANK
        return addCell(payload, 0, true);
    case 0x00E0: // XF (Excel 5 and later)
        return legacy() || (payload.size() >= 4 && addCellFormat(word(payload, 2)));
    case 0x0243: // XF (Excel 3)
    case 0x0443: // XF (Excel 4)
        return !legacy() || (payload.size() >= 2 && addCellFormat(quint8(payload[1])));
    case 0x041E: // FORMAT
        if (m_version == Version::Biff8) {
            if (payload.size() < 4)
                return false;
            const qint64 chars = word(payload, 2);
            const std::optional<UnicodeHeader> header = unicodeHeader(payload, 4);
            if (!header || 4 + header->size + chars * (header->wide ? 2 : 1) > payload.size())
                return false;
            return addNumberFormat(word(payload, 0), payload.sliced(4 + header->size, chars * (header->wide ? 2 : 1)),
                                   header->wide);
        }
        if (m_version == Version::Biff5) {
            // FreeXL takes the text from the length byte on.
            if (payload.size() < 4 || 3 + quint8(payload[3]) > payload.size())
                return false;
            return addNumberFormat(word(payload, 0), payload.sliced(3, quint8(payload[3])), false);
        }
        if (m_version != Version::Biff4)
            return true;
        if (payload.size() < 3 || 3 + quint8(payload[2]) > payload.size())
            return false;
        return addNumberFormat(m_nextLegacyFormat++, payload.sliced(3, quint8(payload[2])), false);
    case 0x001E: // FORMAT (Excel 3): its length in the first byte
        if (m_version != Version::Biff3)
            return true;
        if (payload.isEmpty() || 1 + quint8(payload[0]) > payload.size())
            return false;
        return addNumberFormat(m_nextLegacyFormat++, payload.sliced(1, quint8(payload[0])), false);
    default:
        return true;
    }
}

bool BiffCheck::addCell(QByteArrayView payload, qint64 values, bool multiple)
{
    if (payload.size() < (multiple ? 6 : 4))
        return false;
    const qint64 row = word(payload, 0);
    qint64 column = word(payload, 2);
    if (multiple)
        column = std::max<qint64>(column, word(payload, payload.size() - 2));
    m_maxRow = std::max(m_maxRow, row);
    m_maxColumn = std::max(m_maxColumn, column);
    if (!m_hasDimension)
        m_cellBeforeDimension = true;
    m_realCells = saturatingAdd(m_realCells, values);
    return true;
}

bool BiffCheck::addStrings(QByteArrayView data, bool continued)
{
    qint64 at = continued ? 0 : 8;
    if (continued && m_pendingChars > 0) {
        // FreeXL takes the rest of a cut string whole from the next record,
        // in the width its first byte gives.
        if (data.isEmpty())
            return false;
        const qint64 bytes = m_pendingChars * ((quint8(data[0]) & 0x01) ? 2 : 1);
        if (1 + bytes > data.size())
            return false;
        at = 1 + bytes + m_pendingSkip;
        m_pendingChars = 0;
        m_pendingSkip = 0;
        --m_stringsLeft;
    }
    while (m_stringsLeft > 0 && at < data.size()) {
        if (at + 2 > data.size())
            return false;
        const qint64 chars = word(data, at);
        const std::optional<UnicodeHeader> header = unicodeHeader(data, at + 2);
        // FreeXL reads a phonetic size only half, so where it goes next is anyone's guess.
        if (!header || header->phonetic)
            return false;
        const qint64 text = at + 2 + header->size;
        const qint64 bytes = chars * (header->wide ? 2 : 1);
        const qint64 available = data.size() - text;
        if (bytes > available) {
            m_pendingChars = chars - (header->wide ? available / 2 : available);
            m_pendingSkip = header->runs * 4;
            return true;
        }
        at = text + bytes + header->runs * 4;
        --m_stringsLeft;
    }
    return true;
}

bool BiffCheck::addCellFormat(quint16 format)
{
    if (m_cellFormats.size() >= maxCellFormats)
        return false;
    m_cellFormats.append(format);
    return true;
}

bool BiffCheck::addNumberFormat(quint32 index, QByteArrayView text, bool wide)
{
    int kind = 0;
    if (wide) {
        QList<quint16> units;
        for (qsizetype at = 0; at + 1 < text.size(); at += 2)
            units.append(word(text, at));
        kind = dateKind(units);
    } else {
        kind = dateKind(text);
    }
    // FreeXL keeps the first 2048 formats that show a date or a time, and
    // takes the first it kept for an index.
    constexpr qsizetype keptFormats = 2048;
    if (kind != 0 && m_dateFormatsKept < keptFormats) {
        ++m_dateFormatsKept;
        if (!m_numberFormats.contains(index))
            m_numberFormats.insert(index, kind == 1 ? DateKind::Date : DateKind::Time);
    }
    return true;
}

bool BiffCheck::addDays(quint16 cellFormat, qint64 days)
{
    if (cellFormat >= m_cellFormats.size() || days <= 1)
        return true;
    const quint16 format = m_cellFormats[cellFormat];
    bool date = m_numberFormats.value(format, DateKind::None) == DateKind::Date;
    // Excel 5 and later have built-in date formats.
    if (!legacy()) {
        if ((format >= 14 && format <= 17) || format == 22)
            date = true;
        else if ((format >= 18 && format <= 21) || (format >= 45 && format <= 47))
            date = false;
    }
    if (date)
        m_dateDays = saturatingAdd(m_dateDays, days);
    return m_dateDays <= maxDateDays;
}

bool BiffCheck::addNumber(quint16 cellFormat, double value)
{
    // FreeXL counts to the whole part as an int: beyond an int, or not a
    // number at all, it counts nothing.
    if (!(value >= 2.0 && value < 2147483648.0))
        return true;
    return addDays(cellFormat, qint64(value));
}

bool BiffCheck::addRk(quint16 cellFormat, QByteArrayView rk)
{
    // An RK value: a 30-bit integer or the top of a double, perhaps a hundredth.
    const quint32 raw = dword(rk, 0);
    const bool hundredths = raw & 0x01;
    if (raw & 0x02) {
        const qint32 whole = qint32(raw) >> 2;
        return hundredths ? addNumber(cellFormat, whole / 100.0) : addDays(cellFormat, whole);
    }
    const double value = std::bit_cast<double>(quint64(raw & 0xFFFFFFFCu) << 32);
    return addNumber(cellFormat, hundredths ? value / 100.0 : value);
}

void BiffCheck::beginSubstream(qint64 offset)
{
    endSubstream();
    // Only a BOF that follows an EOF starts a sheet a reader looks up; the
    // workbook's own BOF comes first and names none.
    if (!legacy() && m_seenBof && m_afterEof) {
        const auto found = m_sheetAt.constFind(quint32(offset));
        m_currentSheet = found == m_sheetAt.cend() ? std::nullopt : std::optional<qsizetype>(found.value());
    }
    m_seenBof = true;
    m_afterEof = false;
    m_inSubstream = true;
}

void BiffCheck::endSubstream()
{
    // A sheet whose cells come before its declared rectangle, or without one,
    // is sized by its farthest cell.
    if (m_inSubstream && (!m_hasDimension || m_cellBeforeDimension) && m_maxRow >= 0)
        claim((m_maxRow + 1) * (m_maxColumn + 1));
    m_inSubstream = false;
    m_hasDimension = false;
    m_cellBeforeDimension = false;
    m_maxRow = -1;
    m_maxColumn = -1;
}

bool BiffCheck::finish()
{
    endSubstream();
    const qint64 undimensioned = std::count(m_sheetDimensioned.cbegin(), m_sheetDimensioned.cend(), false);
    if (undimensioned == 0)
        return true;
    // FreeXL sizes each listed sheet it met no rectangle for by the sheet that
    // is current when the stream ends, and has nothing to size it by when the
    // last BOF named no listed sheet.
    if (!m_currentSheet)
        return false;
    claim(saturatingMultiply(undimensioned, std::max<qint64>(m_largestClaim, 1)));
    return true;
}

qint64 BiffCheck::slackBytes() const
{
    const qint64 emptyCells = std::max<qint64>(0, m_claimedCells - m_realCells);
    const qint64 emptyStrings = std::max<qint64>(0, m_claimedStrings - m_stringBytes / 3);
    const qint64 limit = most / 2;
    return std::min(emptyCells, limit / cellSlotBytes) * cellSlotBytes
        + std::min(emptyStrings, limit / stringSlotBytes) * stringSlotBytes;
}
