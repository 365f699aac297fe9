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
    const qsizetype cut = std::min(at, bytes.size());
    if (cut == bytes.size())
        return cut;
    // A UTF-8 sequence the cut leaves unfinished goes: its continuation bytes
    // and the byte that starts it. In Windows-1251 that costs a letter or two.
    qsizetype start = cut;
    while (start > 0 && cut - start < 3 && (quint8(bytes[start - 1]) & 0xC0) == 0x80)
        --start;
    if (start == 0 || quint8(bytes[start - 1]) < 0xC0)
        return cut; // no sequence starts there
    const quint8 lead = quint8(bytes[start - 1]);
    const qsizetype length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    return cut - (start - 1) == length ? cut : start - 1;
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
