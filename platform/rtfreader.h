#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <functional>

class QIODevice;

// Reads the text that RTF displays; the formatted document is read by
// RtfDocumentReader in the widgets layer.
class RtfReader
{
public:
    // True when the bytes start with "{\rtf".
    static bool isRtf(QByteArrayView bytes);
    // The displayed text alone: \par and \line give CR LF, \tab a tab character.
    static QString displayedText(QByteArrayView rtf);
    // The same text read from a device a piece at a time and handed to consume
    // in pieces, so memory stays bounded whatever the size of the input; the
    // pieces joined equal displayedText() of all the bytes. False when the
    // input is not RTF (nothing is read) or consume returned false to stop.
    static bool displayedText(QIODevice &in, const std::function<bool(QStringView)> &consume,
                              qsizetype pieceBytes = qsizetype(1) << 20);
};
