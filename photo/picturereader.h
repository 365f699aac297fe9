#pragma once

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

class QMimeData;

// Reads pictures the way a phone photo should look: upright, with the camera's
// orientation applied.
class PictureReader
{
public:
    // Photos of today's phone cameras run past 100 megapixels; Qt's own limit
    // on what a picture may take (128 MB, about 33 megapixels) would refuse them.
    static constexpr qint64 maxPixels = 128'000'000;

    enum class Problem {
        None,
        NotAFile,    // a folder, a pipe, a device: nothing to read a picture from
        TooLarge,    // more than maxPixels
        NotAPicture, // no reader Qt has understands it
    };

    // A null image when the file cannot be shown, with the reason in *problem
    // and the picture's size in *size when it is known.
    static QImage fromFile(const QString &path, Problem *problem = nullptr, QSize *size = nullptr);
    // Any picture the clipboard offers: an image, or the encoded bytes of one
    // (PNG from a browser, a bitmap, JPEG...). A null image when there is none.
    static QImage fromClipboard(const QMimeData *data);

    // What the clipboard offers, taken on the user-interface thread without
    // decoding it: a picture of this program's own, or encoded bytes, the
    // best first. decode() makes the picture of it on any thread.
    struct Offer
    {
        QImage image;
        QList<QByteArray> encoded;
    };
    static Offer offer(const QMimeData *data);
    static QImage decode(const Offer &offer);

    // The form a photo is kept in: three bytes a pixel, as the bitmap buffer
    // holds it, where no pixel is transparent. A photo of a hundred megapixels
    // then takes 300 MB instead of 400, and its save no third copy.
    static QImage compact(QImage picture);
};
