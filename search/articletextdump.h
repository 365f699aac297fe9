#pragma once

#include <QString>
#include <QStringView>

#include <functional>

// The whole text of an article file exactly as the search reads it (an RTF
// file by its displayed text, any other, a web page included, through the
// shared decoding), handed out a piece at a time so that memory stays bounded
// whatever the size of the file.
class ArticleTextDump
{
public:
    // 0 when the file was read to its end or consume returned false to stop;
    // otherwise the system's error number.
    static int read(const QString &path, const std::function<bool(QStringView)> &consume,
                    qint64 chunkBytes = qint64(1) << 20);
};
