#include "photo/picturereader.h"

#include <QBuffer>
#include <QImageReader>
#include <QMimeData>
#include <QStringList>

#include <algorithm>

namespace {

QImage readFrom(QImageReader &reader)
{
    reader.setAutoTransform(true);
    return reader.read();
}

} // namespace

QImage PictureReader::fromFile(const QString &path)
{
    QImageReader reader(path);
    // Some cameras name a JPEG .png and the like: trust the content, not the name.
    reader.setDecideFormatFromContent(true);
    return readFrom(reader);
}

QImage PictureReader::fromClipboard(const QMimeData *data)
{
    if (!data)
        return {};
    if (data->hasImage()) {
        const QImage image = qvariant_cast<QImage>(data->imageData());
        if (!image.isNull())
            return image;
    }
    // Encoded bytes, PNG first: it is what browsers put there and it is lossless.
    QStringList formats = data->formats().filter(QStringLiteral("image/"));
    std::stable_sort(formats.begin(), formats.end(), [](const QString &a, const QString &b) {
        return a == QLatin1String("image/png") && b != QLatin1String("image/png");
    });
    for (const QString &format : formats) {
        QByteArray bytes = data->data(format);
        if (bytes.isEmpty())
            continue;
        QBuffer buffer(&bytes);
        QImageReader reader(&buffer);
        const QImage image = readFrom(reader);
        if (!image.isNull())
            return image;
    }
    return {};
}
