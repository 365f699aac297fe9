#pragma once

#include <QByteArrayView>
#include <QtGlobal>

class QTextDocument;

// Reads RTF into a formatted document; text that is not RTF is read as plain
// Windows-1251 text.
class RtfDocumentReader
{
public:
    // How much of a document a view takes: reading stops at either bound.
    struct Limits
    {
        qsizetype characters = -1; // -1: no bound
        qsizetype paragraphs = -1;
        // A paragraph longer than this goes on in a new one: -1, no bound.
        qsizetype lineCharacters = -1;
    };

    // False when reading stopped at a bound: the document holds the beginning.
    static bool read(QByteArrayView rtf, QTextDocument *document, const Limits &limits);
    static void read(QByteArrayView rtf, QTextDocument *document) { read(rtf, document, Limits()); }
};
