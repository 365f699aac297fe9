#include "rtfreader.h"

#include <QTextDocument>

// A first cut: the full reader replaces this.
bool RtfReader::isRtf(QByteArrayView bytes)
{
    return bytes.startsWith("{\\rtf");
}

QString RtfReader::displayedText(QByteArrayView rtf)
{
    return QString::fromLatin1(rtf);
}

void RtfReader::read(QByteArrayView rtf, QTextDocument *document)
{
    document->setPlainText(displayedText(rtf));
}
