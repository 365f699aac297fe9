#include "photo/minteljpeglibrary.h"

#include "photo/cdibsection.h"
#include "photo/raisederror.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>

#include <memory>
#include <turbojpeg.h>

namespace mIntelJPEGLibrary {

namespace {

struct CompressorDeleter
{
    void operator()(void *handle) const { tjDestroy(handle); }
};

struct JpegBufferDeleter
{
    void operator()(unsigned char *bytes) const { tjFree(bytes); }
};

[[noreturn]] void raiseFileError(const QString &fileName, const QString &reason)
{
    throw RaisedError(fileAccessErrorNumber, errorSource(),
                      QStringLiteral("Path/File access error: %1: %2").arg(fileName, reason), reason);
}

} // namespace

QString errorSource()
{
    QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    if (name.isEmpty())
        name = QCoreApplication::applicationName();
    return name + QStringLiteral(".mIntelJPEGLibrary");
}

bool SaveJpegFile(const cDIBSection &buffer, const QString &fileName, int quality, const SafeFile &files)
{
    std::unique_ptr<void, CompressorDeleter> compressor(tjInitCompress());
    if (!compressor)
        throw RaisedError(errorNumber, errorSource(),
                          QStringLiteral("Failed to initialise the IJL library: %1").arg(-1));

    // The old file is remembered, never deleted: the new picture goes to a
    // temporary file beside it and replaces it only once it is complete.
    const QFileInfo old(fileName);
    const bool existed = old.exists();
    QDateTime accessed, modified;
    if (existed) {
        accessed = old.lastRead();
        modified = old.lastModified();
    }

    // The buffer's rows are bottom-up blue-green-red with padding: handed over as they are.
    unsigned char *jpeg = nullptr;
    unsigned long jpegSize = 0;
    const int status =
        tjCompress2(compressor.get(), buffer.DIBSectionBitsPtr(), buffer.Width(), buffer.BytesPerScanLine(),
                    buffer.Height(), TJPF_BGR, &jpeg, &jpegSize, TJSAMP_420, quality, TJFLAG_BOTTOMUP);
    std::unique_ptr<unsigned char, JpegBufferDeleter> encoded(jpeg);
    if (status != 0)
        throw RaisedError(errorNumber, errorSource(), QStringLiteral("Failed to save to JPG %1").arg(status),
                          QStringLiteral("Кодировщик JPEG не смог сжать изображение: %1.")
                              .arg(QString::fromLocal8Bit(tjGetErrorStr2(compressor.get()))));

    const auto produce = [&](QIODevice &out) {
        return out.write(reinterpret_cast<const char *>(encoded.get()), qint64(jpegSize)) == qint64(jpegSize);
    };
    const auto finish = [&](QFileDevice &file) {
        if (!existed)
            return;
        // Set on the finished file, so the replace carries them over; the
        // mode goes over with the replace itself.
        file.setFileTime(accessed, QFileDevice::FileAccessTime);
        file.setFileTime(modified, QFileDevice::FileModificationTime);
    };
    QString reason;
    if (!files.write(fileName, produce, &reason, finish))
        raiseFileError(fileName, reason);
    return true;
}

} // namespace mIntelJPEGLibrary
