#include "questionnaire/biffrecordstream.h"

#include <gsf/gsf-input.h>

BiffRecordStream::BiffRecordStream(GsfInput *input)
    : m_input(input)
{}

bool BiffRecordStream::seek(qint64 offset)
{
    if (offset < 0 || offset > gsf_input_size(m_input))
        return false;
    return !gsf_input_seek(m_input, offset, G_SEEK_SET);
}

bool BiffRecordStream::readHeader(quint16 &type, quint16 &length)
{
    const guint8 *header = gsf_input_read(m_input, 4, nullptr);
    if (!header)
        return false;
    type = quint16(header[0] | header[1] << 8);
    length = quint16(header[2] | header[3] << 8);
    return true;
}

bool BiffRecordStream::append(QByteArray &data, quint16 length)
{
    if (length == 0)
        return true;
    const guint8 *bytes = gsf_input_read(m_input, length, nullptr);
    if (!bytes)
        return false;
    data.append(reinterpret_cast<const char *>(bytes), length);
    return true;
}

bool BiffRecordStream::next(BiffRecord &record)
{
    record.data.clear();
    record.parts.clear();
    if (m_damaged || gsf_input_remaining(m_input) < 4)
        return false;
    record.offset = gsf_input_tell(m_input);
    quint16 length = 0;
    if (!readHeader(record.type, length) || length > maxRecordSize
        || gsf_input_remaining(m_input) < gsf_off_t(length)) {
        m_damaged = true;
        return false;
    }
    if (!append(record.data, length)) {
        m_damaged = true;
        return false;
    }

    while (gsf_input_remaining(m_input) >= 4) {
        quint16 type = 0;
        if (!readHeader(type, length)) {
            m_damaged = true;
            return false;
        }
        if (type != continueType) {
            gsf_input_seek(m_input, -4, G_SEEK_CUR);
            break;
        }
        if (length > maxRecordSize || gsf_input_remaining(m_input) < gsf_off_t(length)) {
            m_damaged = true;
            return false;
        }
        record.parts.append(record.data.size());
        if (!append(record.data, length)) {
            m_damaged = true;
            return false;
        }
    }
    return true;
}
