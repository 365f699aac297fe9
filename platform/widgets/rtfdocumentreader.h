#pragma once

#include <QByteArrayView>

class QTextDocument;

// Reads RTF into a formatted document; text that is not RTF is read as plain
// Windows-1251 text.
class RtfDocumentReader
{
public:
    static void read(QByteArrayView rtf, QTextDocument *document);
};
