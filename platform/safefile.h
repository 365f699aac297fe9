#pragma once

#include <QByteArray>
#include <QString>

// Writes a whole file through a temporary file in the same folder and an
// atomic replace, so a failed write never leaves a damaged or empty file.
class SafeFile
{
public:
    static bool write(const QString &path, const QByteArray &bytes, QString *error = nullptr);

    // Tests simulate a full disk: every write stops after this many bytes have
    // reached the temporary file and fails. A negative value turns it off.
    static void setFailAfterBytesForTesting(qint64 bytes);
};
