#include "photo/picturereader.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QMimeData>
#include <QStringList>

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QImage readFrom(QImageReader &reader, PictureReader::Problem *problem, QSize *size)
{
    // Room for the largest photo taken, turned upright, and nothing near the
    // gigabytes a crafted header could ask for.
    constexpr qint64 bytesPerPixel = 4;
    QImageReader::setAllocationLimit(int(PictureReader::maxPixels * bytesPerPixel / (1024 * 1024)) + 1);
    reader.setAutoTransform(true);
    const QSize found = reader.size();
    if (size)
        *size = found;
    if (found.isValid() && qint64(found.width()) * found.height() > PictureReader::maxPixels) {
        if (problem)
            *problem = PictureReader::Problem::TooLarge;
        return {};
    }
    const QImage image = reader.read();
    if (problem)
        *problem = image.isNull() ? PictureReader::Problem::NotAPicture : PictureReader::Problem::None;
    return image;
}

} // namespace

QImage PictureReader::fromFile(const QString &path, Problem *problem, QSize *size)
{
    // Opened without waiting, and only a regular file is read: a pipe would
    // block the window until something wrote to it, a device for ever.
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat status;
    if (fd < 0 || ::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        if (fd >= 0)
            ::close(fd);
        if (problem)
            *problem = fd < 0 ? Problem::NotAPicture : Problem::NotAFile;
        return {};
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        if (problem)
            *problem = Problem::NotAPicture;
        return {};
    }
    QImageReader reader(&file);
    // Some cameras name a JPEG .png and the like: trust the content, not the name.
    reader.setDecideFormatFromContent(true);
    return readFrom(reader, problem, size);
}

QImage PictureReader::fromClipboard(const QMimeData *data)
{
    return decode(offer(data));
}

PictureReader::Offer PictureReader::offer(const QMimeData *data)
{
    Offer offer;
    if (!data)
        return offer;
    // A picture this program put there is already decoded; asking another
    // program's picture as an image would decode it here, on this thread.
    const QStringList all = data->formats();
    if (all.contains(QStringLiteral("application/x-qt-image"))) {
        offer.image = qvariant_cast<QImage>(data->imageData());
        if (!offer.image.isNull())
            return offer;
    }
    // Encoded bytes, PNG first: it is what browsers put there and it is lossless.
    QStringList formats = all.filter(QStringLiteral("image/"));
    std::stable_sort(formats.begin(), formats.end(), [](const QString &a, const QString &b) {
        return a == QLatin1String("image/png") && b != QLatin1String("image/png");
    });
    for (const QString &format : formats) {
        QByteArray bytes = data->data(format);
        if (!bytes.isEmpty())
            offer.encoded << bytes;
    }
    if (offer.encoded.isEmpty() && data->hasImage())
        offer.image = qvariant_cast<QImage>(data->imageData());
    return offer;
}

QImage PictureReader::decode(const Offer &offer)
{
    if (!offer.image.isNull())
        return offer.image;
    for (QByteArray bytes : offer.encoded) {
        QBuffer buffer(&bytes);
        QImageReader reader(&buffer);
        const QImage image = readFrom(reader, nullptr, nullptr);
        if (!image.isNull())
            return image;
    }
    return {};
}

QImage PictureReader::compact(QImage picture)
{
    if (picture.isNull() || picture.format() == QImage::Format_BGR888)
        return picture;
    if (picture.hasAlphaChannel()) {
        const bool argb32 =
            picture.format() == QImage::Format_ARGB32 || picture.format() == QImage::Format_ARGB32_Premultiplied;
        for (int y = 0; y < picture.height(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
            for (int x = 0; x < picture.width(); ++x) {
                if (qAlpha(argb32 ? line[x] : picture.pixel(x, y)) != 255)
                    return picture;
            }
        }
    }
    // In place where the picture is not shared.
    picture.convertTo(QImage::Format_BGR888);
    return picture;
}
