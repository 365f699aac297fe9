#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// Text as the program's files hold it: Windows-1251 by tradition, UTF-8 where a
// modern editor saved the file.
class TextCodec
{
public:
    static QString fromCp1251(QByteArrayView bytes);
    // Characters that Windows-1251 cannot hold become '?'.
    static QByteArray toCp1251(QStringView text);

    // The one decoding of every text file the program reads: UTF-16 when the
    // file begins with a UTF-16 byte-order mark (either byte order; the mark is
    // dropped, and so is an odd last byte); UTF-8 when it carries a UTF-8
    // byte-order mark (dropped from the text) or is valid UTF-8 with at least
    // one non-ASCII byte; Windows-1251 otherwise.
    static QString decode(QByteArrayView bytes);

    enum class Utf16 { None, LittleEndian, BigEndian };
    // The byte order a UTF-16 byte-order mark at the start of bytes names.
    static Utf16 utf16Mark(QByteArrayView bytes);
    // The text after a UTF-16 mark, in that byte order.
    static QString fromUtf16(QByteArrayView bytes, Utf16 order);
    static bool looksLikeUtf8(QByteArrayView bytes);
};
