#pragma once

#include <QByteArray>
#include <QList>
#include <QtGlobal>

#include <memory>

typedef struct _GsfInput GsfInput;

// One record of a BIFF stream with the CONTINUE records that follow it: their
// payloads joined, and where each CONTINUE's part starts, since a string cut
// there starts its rest with a flags byte of its own.
struct BiffRecord
{
    quint16 type = 0;
    QByteArray data;
    QList<qsizetype> parts;
    // Where the record's header lies in the stream.
    qint64 offset = 0;
};

// Reads the records of a workbook stream one after the other. A record
// longer than any writer makes is damage: nothing is read past it.
class BiffRecordStream
{
public:
    // The largest record payload Excel writes.
    static constexpr qsizetype maxRecordSize = 8224;
    static constexpr quint16 continueType = 0x003C;

    // The stream is referenced, not owned.
    explicit BiffRecordStream(GsfInput *input);

    // False at the end of the stream or on damage (then damaged() is true).
    bool next(BiffRecord &record);
    bool damaged() const { return m_damaged; }
    // Moves to the record whose header starts at offset.
    bool seek(qint64 offset);

private:
    bool readHeader(quint16 &type, quint16 &length);
    bool append(QByteArray &data, quint16 length);

    GsfInput *m_input;
    bool m_damaged = false;
};
