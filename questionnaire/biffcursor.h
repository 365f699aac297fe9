#pragma once

#include "questionnaire/biffrecordstream.h"

#include <QString>

#include <functional>

// Reads the fields of one record, and of the CONTINUE records joined to it,
// each read checked against the bytes there are: a field that runs past
// them fails, and the reader then refuses the workbook as damaged.
class BiffCursor
{
public:
    // Byte strings (Excel 5 and older) in the workbook's code page.
    using Decoder = std::function<QString(QByteArrayView)>;

    explicit BiffCursor(const BiffRecord &record, qsizetype at = 0)
        : m_record(record)
        , m_at(at)
    {}

    qsizetype position() const { return m_at; }
    qsizetype remaining() const { return m_record.data.size() - m_at; }

    bool skip(qint64 bytes);
    bool u8(quint8 &value);
    bool u16(quint16 &value);
    bool u32(quint32 &value);
    bool f64(double &value);

    // An Excel 97 string: its character count in lengthBytes (1 or 2), a
    // flags byte, the counts of its formatting runs and of its phonetic
    // data when the flags say so, the characters (one or two bytes each, the
    // width told again at each CONTINUE they cross), then the runs and the
    // phonetic data, skipped.
    bool unicodeString(int lengthBytes, QString &text);
    // A string of bytes with its length in lengthBytes (1 or 2).
    bool byteString(int lengthBytes, const Decoder &decode, QString &text);

private:
    // Where the part holding m_at ends.
    qsizetype partEnd() const;

    const BiffRecord &m_record;
    qsizetype m_at;
};
