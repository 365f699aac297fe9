#pragma once

#include <QByteArrayView>
#include <QString>

class QTextDocument;

// Reads RTF: the text it displays, and a formatted document.
class RtfReader
{
public:
    // True when the bytes start with "{\rtf".
    static bool isRtf(QByteArrayView bytes);
    // The displayed text alone: \par and \line give CR LF, \tab a tab character.
    static QString displayedText(QByteArrayView rtf);
    // Fills the document with the formatted text.
    static void read(QByteArrayView rtf, QTextDocument *document);
};
