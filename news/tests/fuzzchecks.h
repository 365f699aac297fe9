#pragma once

// Checks shared by the news fuzz targets and the tests that replay their seed
// corpora. Each returns false when the code went wrong on the input.

#include "news/messagestore.h"
#include "news/newspage.h"
#include "platform/installation.h"
#include "platform/tests/fuzzchecks.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace FuzzChecks {

// Input: the Content-Type header up to the first line feed, then the body.
// The text holds no NUL and no unpaired surrogate, its line breaks are all
// CR LF, and its message is the end of it.
inline bool newsPage(const uint8_t *data, std::size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype header = input.indexOf('\n');
    const QString contentType = QString::fromLatin1(header < 0 ? input : input.first(header));
    const QByteArrayView body = header < 0 ? QByteArrayView() : input.sliced(header + 1);
    const QString text = NewsPage::text(body, contentType);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isNull())
            return false;
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c.isSurrogate())
            return false;
        if (c == u'\r' && (i + 1 >= text.size() || text[i + 1] != u'\n'))
            return false;
        if (c == u'\n' && (i == 0 || text[i - 1] != u'\r'))
            return false;
    }
    return !NewsPage::hasMarker(text) || text.endsWith(NewsPage::message(text));
}

// The archive's readings of a file's bytes, each within what the bytes allow:
// a byte makes at most one character, and a CR or LF alone becomes CR LF.
inline bool archiveReadings(const MessageStore &store, const QString &path, QByteArrayView bytes, qint64 maxBytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(bytes.data(), bytes.size()) != bytes.size())
        return true; // nothing to say about the reading
    file.close();
    const QString name = MessageStore::archiveFile();
    const QString whole = store.readBack(name);
    if (whole.size() > 2 * bytes.size())
        return false;
    bool cut = true;
    if (store.newestPart(name, bytes.size(), &cut) != whole || cut)
        return false;
    const QString part = store.newestPart(name, maxBytes, &cut);
    if (cut != (bytes.size() > maxBytes) || part.size() > 2 * std::min<qint64>(bytes.size(), maxBytes))
        return false;
    // A file always holds what it reads back as.
    if (!store.holds(name, whole))
        return false;
    store.newestArchived(part);
    return true;
}

// Input: two bytes of the most bytes the newest part may take (up to 4095),
// two of where
// the file is cut, then the archive's bytes. The archive is read whole, in
// part and cut at that byte.
inline bool archive(const uint8_t *data, std::size_t size)
{
    if (size < 4)
        return true;
    static QTemporaryDir dir;
    if (!dir.isValid())
        return true;
    const MessageStore store(Installation(dir.path(), dir.path(), Installation::ProgramFolderWrites::Always));
    const qint64 maxBytes = data[0] | ((data[1] & 0x0F) << 8);
    const QByteArrayView bytes(reinterpret_cast<const char *>(data + 4), qsizetype(size - 4));
    const qsizetype cutAt = (data[2] | (data[3] << 8)) % (bytes.size() + 1);
    const QString path = QDir(dir.path()).filePath(MessageStore::archiveFile());
    return archiveReadings(store, path, bytes, maxBytes) && archiveReadings(store, path, bytes.first(cutAt), maxBytes);
}

} // namespace FuzzChecks
