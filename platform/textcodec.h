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

    // The one decoding of every text file the program reads: UTF-8 when the file
    // carries a UTF-8 byte-order mark (dropped from the text) or is valid UTF-8
    // with at least one non-ASCII byte; Windows-1251 otherwise.
    static QString decode(QByteArrayView bytes);
    static bool looksLikeUtf8(QByteArrayView bytes);
};
