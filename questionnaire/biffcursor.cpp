#include "questionnaire/biffcursor.h"

#include <QtEndian>

#include <algorithm>

bool BiffCursor::skip(qint64 bytes)
{
    if (bytes < 0 || bytes > remaining())
        return false;
    m_at += qsizetype(bytes);
    return true;
}

bool BiffCursor::u8(quint8 &value)
{
    if (remaining() < 1)
        return false;
    value = quint8(m_record.data[m_at]);
    ++m_at;
    return true;
}

bool BiffCursor::u16(quint16 &value)
{
    if (remaining() < 2)
        return false;
    value = qFromLittleEndian<quint16>(m_record.data.constData() + m_at);
    m_at += 2;
    return true;
}

bool BiffCursor::u32(quint32 &value)
{
    if (remaining() < 4)
        return false;
    value = qFromLittleEndian<quint32>(m_record.data.constData() + m_at);
    m_at += 4;
    return true;
}

bool BiffCursor::f64(double &value)
{
    if (remaining() < 8)
        return false;
    value = qFromLittleEndian<double>(m_record.data.constData() + m_at);
    m_at += 8;
    return true;
}

qsizetype BiffCursor::partEnd() const
{
    const auto next = std::upper_bound(m_record.parts.cbegin(), m_record.parts.cend(), m_at);
    return next == m_record.parts.cend() ? m_record.data.size() : *next;
}

bool BiffCursor::unicodeString(int lengthBytes, QString &text)
{
    text.clear();
    quint16 chars = 0;
    quint8 flags = 0;
    if (lengthBytes == 1) {
        quint8 shortCount = 0;
        if (!u8(shortCount))
            return false;
        chars = shortCount;
    } else if (!u16(chars)) {
        return false;
    }
    if (!u8(flags))
        return false;
    quint16 runs = 0;
    quint32 phonetic = 0;
    if ((flags & 0x08) && !u16(runs))
        return false;
    if ((flags & 0x04) && !u32(phonetic))
        return false;

    bool wide = flags & 0x01;
    qsizetype left = chars;
    while (left > 0) {
        // Characters that go on in a CONTINUE record start there with a flags
        // byte of their own, saying how wide they are.
        if (std::binary_search(m_record.parts.cbegin(), m_record.parts.cend(), m_at)) {
            quint8 partFlags = 0;
            if (!u8(partFlags))
                return false;
            wide = partFlags & 0x01;
        }
        const qsizetype end = partEnd();
        const qsizetype width = wide ? 2 : 1;
        const qsizetype here = std::min<qsizetype>(left, (end - m_at) / width);
        const char *bytes = m_record.data.constData() + m_at;
        if (wide) {
            for (qsizetype i = 0; i < here; ++i)
                text.append(QChar(qFromLittleEndian<quint16>(bytes + 2 * i)));
        } else {
            text.append(QLatin1String(bytes, here));
        }
        m_at += here * width;
        left -= here;
        // What is left must start a CONTINUE: a character cut in two, or
        // characters beyond the last record, are damage.
        if (left > 0 && (m_at != end || m_at >= m_record.data.size()))
            return false;
    }
    return skip(qint64(runs) * 4 + phonetic);
}

bool BiffCursor::byteString(int lengthBytes, const Decoder &decode, QString &text)
{
    quint16 length = 0;
    if (lengthBytes == 1) {
        quint8 shortLength = 0;
        if (!u8(shortLength))
            return false;
        length = shortLength;
    } else if (!u16(length)) {
        return false;
    }
    if (length > remaining())
        return false;
    text = decode(QByteArrayView(m_record.data.constData() + m_at, length));
    m_at += length;
    return true;
}
