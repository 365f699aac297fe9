#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The beginning of a file, read without reading the rest: a view shows no
// more than it can lay out, however large (or sparse) the file has grown.
class FileHead
{
public:
    struct Head
    {
        QByteArray bytes;
        bool cut = false; // the file goes on beyond these bytes
        qint64 fileSize = 0;
        bool readable = false;
    };

    // At most maxBytes from the start of the file. When the file is longer,
    // the bytes end before any character cut in two (a line break never falls
    // inside one, and a UTF-8 sequence left unfinished is dropped), so that
    // they decode as the whole file would.
    static Head read(const QString &path, qint64 maxBytes);

    // Where bytes cut at `at` may end without a character cut in two.
    static qsizetype characterBoundary(QByteArrayView bytes, qsizetype at);

    // "1,5 МБ": a size for the user.
    static QString sizeText(qint64 bytes);
};
