#include "platform/filehead.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>

FileHead::Head FileHead::read(const QString &path, qint64 maxBytes)
{
    Head head;
    const QFileInfo info(path);
    if (!info.isFile())
        return head;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return head;
    head.fileSize = file.size();
    head.bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return head;
    head.readable = true;
    if (head.bytes.size() <= maxBytes)
        return head;
    head.cut = true;
    head.bytes.truncate(characterBoundary(head.bytes, maxBytes));
    return head;
}

qsizetype FileHead::characterBoundary(QByteArrayView bytes, qsizetype at)
{
    qsizetype end = std::min(at, bytes.size());
    if (end == bytes.size())
        return end;
    // Drop a UTF-8 sequence the cut leaves unfinished: its continuation bytes
    // and the byte that starts it. In Windows-1251 that costs a character or two.
    qsizetype continuations = 0;
    while (end > 0 && continuations < 3 && (quint8(bytes[end - 1]) & 0xC0) == 0x80) {
        --end;
        ++continuations;
    }
    if (end > 0 && quint8(bytes[end - 1]) >= 0xC0)
        --end;
    else
        end += continuations; // no sequence starts there: Windows-1251 letters
    return end;
}

QString FileHead::sizeText(qint64 bytes)
{
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    if (bytes < 1024 * 1024)
        return QStringLiteral("%1 КБ").arg(russian.toString(double(bytes) / 1024, 'f', bytes < 10 * 1024 ? 1 : 0));
    if (bytes < qint64(1024) * 1024 * 1024)
        return QStringLiteral("%1 МБ").arg(russian.toString(double(bytes) / (1024 * 1024), 'f', 1));
    return QStringLiteral("%1 ГБ").arg(russian.toString(double(bytes) / (1024.0 * 1024 * 1024), 'f', 1));
}
