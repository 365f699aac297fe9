#include "platform/safefile.h"

#include <QSaveFile>

namespace {
qint64 &failAfter()
{
    static qint64 value = -1;
    return value;
}
} // namespace

bool SafeFile::write(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const qint64 limit = failAfter();
    const bool injectedFailure = limit >= 0 && bytes.size() > limit;
    const QByteArrayView part = injectedFailure ? QByteArrayView(bytes).first(limit) : QByteArrayView(bytes);
    if (file.write(part.data(), part.size()) != part.size() || injectedFailure) {
        if (error)
            *error = injectedFailure ? QStringLiteral("No space left on device") : file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

void SafeFile::setFailAfterBytesForTesting(qint64 bytes)
{
    failAfter() = bytes;
}
