#pragma once

#include "platform/safefile.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

// mes.txt (the last page that carried a new message) and allmes.txt (every
// message, newest first) in the program folder, in Windows-1251.
class MessageStore
{
public:
    static QString lastPageFile() { return QStringLiteral("mes.txt"); }
    static QString archiveFile() { return QStringLiteral("allmes.txt"); }

    // A stored file as the program reads it back: its lines joined with CR LF,
    // no line break after the last one; empty when missing or unreadable.
    static QString readBack(const QString &name);
    static bool exists(const QString &name);

    // Whether two texts hold the same message: line endings and trailing line
    // breaks do not count, every other character does.
    static bool sameMessage(const QString &a, const QString &b);

    // "[" date "  " time "]": the locale's short date and long time, the
    // time without a zone name, as a desktop's long time format has it.
    static QString dateLine(const QDateTime &when, const QLocale &locale);

    // The archive with a new entry in front of the old one.
    static QString withNewEntry(const QString &message, const QDateTime &when, const QString &oldArchive);

    // Keeps a new page: the archive first, then the page, each written whole or
    // not at all. False when either could not be written.
    static bool store(const QString &pageText, const QDateTime &when, const SafeFile &files = SafeFile());
};
