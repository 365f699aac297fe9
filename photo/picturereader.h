#pragma once

#include <QImage>
#include <QString>

class QMimeData;

// Reads pictures the way a phone photo should look: upright, with the camera's
// orientation applied.
class PictureReader
{
public:
    // A null image when the file is not a picture Qt's readers understand.
    static QImage fromFile(const QString &path);
    // Any picture the clipboard offers: an image, or the encoded bytes of one
    // (PNG from a browser, a bitmap, JPEG...). A null image when there is none.
    static QImage fromClipboard(const QMimeData *data);
};
