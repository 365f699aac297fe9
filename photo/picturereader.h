#pragma once

#include <QImage>
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
};
