#pragma once

#include "platform/installation.h"
#include "platform/safefile.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

// mes.txt (the last page that carried a new message) and allmes.txt (every
// message, newest first) where the installation keeps the files the program
// writes, in Windows-1251.
class MessageStore
{
public:
    explicit MessageStore(Installation installation)
        : m_installation(std::move(installation))
    {}

    static QString lastPageFile() { return QStringLiteral("mes.txt"); }
    static QString archiveFile() { return QStringLiteral("allmes.txt"); }

    // A stored file as the program reads it back: its lines joined with CR LF,
    // no line break after the last one; empty when missing or unreadable.
    QString readBack(const QString &name) const;
    bool exists(const QString &name) const;

    // The archive grows for years and may be damaged: what the news tab shows
    // is its newest part, at most this many bytes of it, in whole lines.
    static constexpr qint64 shownArchiveBytes = 1024 * 1024;
    // The newest part of a stored file, read back as above; *cut tells
    // whether older lines were left out.
    QString newestPart(const QString &name, qint64 maxBytes, bool *cut = nullptr) const;

    // Whether a stored file holds this text as its message, reading no more
    // of the file than such a text could take.
    bool holds(const QString &name, const QString &text) const;

    // Whether mes.txt can keep the last page: false when something else has
    // its name (a folder) or it may not be written.
    bool lastPageKeepable() const;
    // Whether the archive's newest entry holds this message.
    bool newestArchived(const QString &message) const;

    // Whether two texts hold the same message: line endings and trailing line
    // breaks do not count, every other character does.
    static bool sameMessage(const QString &a, const QString &b);

    // "[" date "  " time "]": the locale's short date and long time, the
    // time without a zone name, as a desktop's long time format has it.
    static QString dateLine(const QDateTime &when, const QLocale &locale);

    // The new entry that goes in front of the old archive: the "#" line, the
    // date line and the message, each followed by CR LF.
    static QString entry(const QString &message, const QDateTime &when);

    // Keeps a new page: the archive first, then the page, each written whole or
    // not at all. The old archive streams through the new one, never held
    // whole, however large it has grown. False when either could not be
    // written, with the reason in Russian in *reason.
    bool store(const QString &pageText, const QDateTime &when, const SafeFile &files = SafeFile(),
               QString *reason = nullptr) const;

private:
    Installation m_installation;
};
