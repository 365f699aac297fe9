#pragma once

// Workbooks put together record by record, for the cases no writer at hand
// makes: formulas with their stored results, shared strings cut across
// CONTINUE records, charts, password protection, Excel 5.

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QtEndian>

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>

namespace BiffBuilder {

constexpr quint16 excel97 = 0x0600;
constexpr quint16 excel5 = 0x0500;

inline QByteArray u8(quint8 value)
{
    return QByteArray(1, char(value));
}

inline QByteArray u16(quint16 value)
{
    QByteArray bytes(2, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

inline QByteArray u32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

inline QByteArray f64(double value)
{
    QByteArray bytes(8, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

inline QByteArray record(quint16 type, const QByteArray &payload)
{
    return u16(type) + u16(quint16(payload.size())) + payload;
}

// The characters of an Excel 97 string: one byte each when they all fit.
inline QByteArray characters(const QString &text, bool wide)
{
    QByteArray bytes;
    for (const QChar c : text)
        bytes += wide ? u16(c.unicode()) : u8(quint8(c.unicode()));
    return bytes;
}

inline bool needsWide(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0xFF)
            return true;
    }
    return false;
}

// An Excel 97 string with a 16-bit character count.
inline QByteArray string97(const QString &text)
{
    const bool wide = needsWide(text);
    return u16(quint16(text.size())) + u8(wide ? 1 : 0) + characters(text, wide);
}

inline QByteArray bof(quint16 version, quint16 substream)
{
    if (version == excel97)
        return record(0x0809, u16(version) + u16(substream) + u16(0x1DFE) + u16(1997) + u32(0) + u32(6));
    return record(0x0809, u16(version) + u16(substream) + u16(0x1DFE) + u16(1995));
}

inline QByteArray eof()
{
    return record(0x000A, QByteArray());
}

// Cells of Excel 97; the cell format is 0 unless named.
inline QByteArray number(quint16 row, quint16 column, double value, quint16 format = 0)
{
    return record(0x0203, u16(row) + u16(column) + u16(format) + f64(value));
}

inline QByteArray label(quint16 row, quint16 column, const QString &text)
{
    return record(0x0204, u16(row) + u16(column) + u16(0) + string97(text));
}

inline QByteArray labelSst(quint16 row, quint16 column, quint32 index)
{
    return record(0x00FD, u16(row) + u16(column) + u16(0) + u32(index));
}

// A formula with its stored result: eight bytes, then flags, a chain word and
// a formula of one token (the constant TRUE), enough for a reader.
inline QByteArray formula(quint16 row, quint16 column, const QByteArray &result)
{
    return record(0x0006, u16(row) + u16(column) + u16(0) + result + u16(0) + u32(0) + u16(2) + u8(0x1D) + u8(1));
}

inline QByteArray numberResult(double value)
{
    return f64(value);
}

// 0 text (in the STRING record after), 1 boolean, 2 error, 3 empty text.
inline QByteArray markedResult(quint8 kind, quint8 value = 0)
{
    return u8(kind) + u8(0) + u8(value) + u8(0) + u16(0) + u16(0xFFFF);
}

inline QByteArray stringResult(const QString &text)
{
    return record(0x0207, string97(text));
}

inline QByteArray dimensions(quint32 firstRow, quint32 rowsEnd, quint16 firstColumn, quint16 columnsEnd)
{
    return record(0x0200, u32(firstRow) + u32(rowsEnd) + u16(firstColumn) + u16(columnsEnd) + u16(0));
}

struct Sheet
{
    QByteArray records;
    // 0 a worksheet, 2 a chart sheet.
    quint8 kind = 0;
};

// The workbook globals (BOF, the given records, a window record naming the
// active sheet, a BOUNDSHEET per sheet, EOF) followed by the sheets, each
// between a BOF and an EOF of its kind.
inline QByteArray workbook(const QByteArray &globals, const QList<Sheet> &sheets, quint16 active = 0,
                           quint16 version = excel97)
{
    const QByteArray window = record(
        0x003D, u16(0) + u16(0) + u16(0x4000) + u16(0x2000) + u16(0x38) + u16(active) + u16(0) + u16(1) + u16(600));
    auto boundSheet = [&](quint32 offset, int index, quint8 kind) {
        const QByteArray name = "S" + QByteArray::number(index);
        const QByteArray nameBytes =
            version == excel97 ? u8(quint8(name.size())) + u8(0) + name : u8(quint8(name.size())) + name;
        return record(0x0085, u32(offset) + u8(0) + u8(kind) + nameBytes);
    };
    QByteArray head = bof(version, 0x0005) + globals + window;
    qint64 size = head.size() + eof().size();
    for (int i = 0; i < sheets.size(); ++i)
        size += boundSheet(0, i, 0).size();
    QByteArray bound;
    QByteArray body;
    for (int i = 0; i < sheets.size(); ++i) {
        bound += boundSheet(quint32(size + body.size()), i, sheets[i].kind);
        body += bof(version, sheets[i].kind == 2 ? 0x0020 : 0x0010) + sheets[i].records + eof();
    }
    return head + bound + eof() + body;
}

// The stream in a compound file, as Excel keeps it.
inline bool save(const QString &path, const QByteArray &stream, const char *streamName = "Workbook")
{
    const QByteArray name = QFile::encodeName(path);
    GsfOutput *sink = gsf_output_stdio_new(name.constData(), nullptr);
    if (!sink)
        return false;
    GsfOutfile *ole = gsf_outfile_msole_new(sink);
    GsfOutput *child = gsf_outfile_new_child(ole, streamName, FALSE);
    bool written = gsf_output_write(child, size_t(stream.size()), reinterpret_cast<const guint8 *>(stream.constData()));
    written = gsf_output_close(child) && written;
    written = gsf_output_close(GSF_OUTPUT(ole)) && written;
    written = (gsf_output_is_closed(sink) || gsf_output_close(sink)) && written;
    g_object_unref(child);
    g_object_unref(ole);
    g_object_unref(sink);
    return written;
}

} // namespace BiffBuilder
