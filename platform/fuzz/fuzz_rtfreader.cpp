#include "platform/rtfreader.h"
#include "platform/widgets/rtfdocumentreader.h"

#include <QBuffer>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Both readings of the same bytes must agree on the text they show, and the
// text read from a device in small pieces must be the text read whole.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = RtfReader::displayedText(bytes);
    QTextDocument document;
    RtfDocumentReader::read(bytes, &document);
    if (RtfReader::isRtf(bytes)) {
        QString shown = document.toRawText();
        shown.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
        shown.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
        if (shown != text || text.size() > qsizetype(size))
            std::abort();
        for (qsizetype piece : {1, 7}) {
            QByteArray copy = bytes.toByteArray();
            QBuffer buffer(&copy);
            buffer.open(QIODevice::ReadOnly);
            QString streamed;
            RtfReader::displayedText(
                buffer,
                [&](QStringView part) {
                    streamed.append(part);
                    return true;
                },
                piece);
            if (streamed != text)
                std::abort();
        }
    }
    return 0;
}
