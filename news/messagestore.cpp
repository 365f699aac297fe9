#include "news/messagestore.h"

#include "news/newspage.h"
#include "platform/safefile.h"
#include "platform/textcodec.h"
#include "platform/writefailure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryFile>

#include <algorithm>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString withoutTrailingLineBreaks(QString text)
{
    qsizetype end = text.size();
    while (end > 0 && (text[end - 1] == QLatin1Char('\n') || text[end - 1] == QLatin1Char('\r')))
        --end;
    text.truncate(end);
    return text;
}

QString withoutFinalLineBreak(const QString &text)
{
    if (text.endsWith(kCrLf))
        return text.chopped(2);
    if (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        return text.chopped(1);
    return text;
}

// Copies a file piece by piece, never holding it whole; without its final
// line break when asked, the last two bytes read being held back until the
// next piece shows whether they end the file.
bool copyPieces(QFile &from, QIODevice &to, bool withoutFinalBreak)
{
    constexpr qint64 piece = 1024 * 1024;
    QByteArray held;
    while (true) {
        const QByteArray next = from.read(piece);
        if (next.isEmpty())
            break;
        held += next;
        const qsizetype ready = held.size() - (withoutFinalBreak ? 2 : 0);
        if (ready > 0) {
            if (to.write(held.constData(), ready) != ready)
                return false;
            held.remove(0, ready);
        }
    }
    if (from.error() != QFileDevice::NoError)
        return false;
    if (held.endsWith("\r\n"))
        held.chop(2);
    else if (held.endsWith('\n') || held.endsWith('\r'))
        held.chop(1);
    return to.write(held) == held.size();
}

// The format without its time-zone fields ("t", "tt", ...) and the blanks that
// set them off; quoted literal text is kept as it is.
QString withoutZone(const QString &format)
{
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            out += c;
        } else if (!quoted && c == QLatin1Char('t')) {
            while (!out.isEmpty() && out.back().isSpace())
                out.chop(1);
            while (i + 1 < format.size() && format[i + 1] == QLatin1Char('t'))
                ++i;
        } else {
            out += c;
        }
    }
    return out.trimmed();
}

} // namespace

QString MessageStore::readBack(const QString &name) const
{
    QFile file(m_installation.existingPath(name));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return NewsPage::withCrLf(withoutFinalLineBreak(TextCodec::decode(file.readAll())));
}

bool MessageStore::exists(const QString &name) const
{
    return QFileInfo(m_installation.existingPath(name)).isFile();
}

bool MessageStore::sameMessage(const QString &a, const QString &b)
{
    return withoutTrailingLineBreaks(NewsPage::withCrLf(a)) == withoutTrailingLineBreaks(NewsPage::withCrLf(b));
}

QString MessageStore::newestPart(const QString &name, qint64 maxBytes, bool *cut) const
{
    if (cut)
        *cut = false;
    QFile file(m_installation.existingPath(name));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes) {
        // Whole lines only: a line break never falls inside a character,
        // whichever of the two encodings the file is in.
        bytes.truncate(maxBytes);
        const qsizetype lastBreak = std::max(bytes.lastIndexOf('\n'), bytes.lastIndexOf('\r'));
        bytes.truncate(lastBreak < 0 ? 0 : lastBreak);
        if (cut)
            *cut = true;
    }
    return NewsPage::withCrLf(withoutFinalLineBreak(TextCodec::decode(bytes)));
}

bool MessageStore::holds(const QString &name, const QString &text) const
{
    // A character takes at most three bytes in either encoding, and a few
    // line breaks may follow it.
    const qint64 mostBytes = 3 * text.size() + 64;
    const QFileInfo info(m_installation.existingPath(name));
    if (!info.isFile() || info.size() > mostBytes)
        return false;
    return sameMessage(text, readBack(name));
}

bool MessageStore::lastPageKeepable() const
{
    const QFileInfo info(m_installation.writePath(lastPageFile()));
    return !info.exists() || (info.isFile() && info.isWritable());
}

bool MessageStore::newestArchived(const QString &message) const
{
    // The entry: the "#" line, the date line, the message, then the older
    // entries from their own "#" line on. No more is read than it could take.
    const QString hashes = QString(46, QLatin1Char('#')) + kCrLf;
    const QString head = newestPart(archiveFile(), 3 * message.size() + 4096);
    if (!head.startsWith(hashes))
        return false;
    const qsizetype dateEnd = head.indexOf(kCrLf, hashes.size());
    if (dateEnd < 0)
        return false;
    const QString rest = head.mid(dateEnd + 2);
    const qsizetype older = rest.indexOf(kCrLf + hashes);
    return sameMessage(older < 0 ? rest : rest.left(older), message);
}

QString MessageStore::entry(const QString &message, const QDateTime &when)
{
    return QString(46, QLatin1Char('#')) + kCrLf + dateLine(when, QLocale::system()) + kCrLf + message + kCrLf;
}

QString MessageStore::dateLine(const QDateTime &when, const QLocale &locale)
{
    return QLatin1Char('[') + locale.toString(when.date(), QLocale::ShortFormat) + QStringLiteral("  ")
        + locale.toString(when.time(), withoutZone(locale.timeFormat(QLocale::LongFormat))) + QLatin1Char(']');
}

bool MessageStore::store(const QString &pageText, const QDateTime &when, const SafeFile &files, QString *reason) const
{
    // The archive goes first: a page recorded as seen but missing from the
    // archive would be a message lost for good.
    const QByteArray head = TextCodec::toCp1251(entry(NewsPage::message(pageText), when));
    const QString target = m_installation.writePath(archiveFile());
    QString source = m_installation.existingPath(archiveFile());
    // Where no temporary file can be made beside the archive it is written in
    // place, which would empty it before it is read: read a copy instead.
    QTemporaryFile copy(QDir::tempPath() + QStringLiteral("/palmora-XXXXXX.txt"));
    if (QFileInfo(source).isFile() && !Installation::isWritable(QFileInfo(target).absolutePath())) {
        QFile old(source);
        if (!old.open(QIODevice::ReadOnly)) {
            if (reason)
                *reason = QStringLiteral("Архив новостей «%1» не удалось прочитать: %2.")
                              .arg(QDir::toNativeSeparators(source), old.errorString());
            return false;
        }
        if (!copy.open() || !copyPieces(old, copy, false) || !copy.flush()) {
            if (reason)
                *reason = WriteFailure::fromErrorString(copy.errorString(), copy.fileName()).message();
            return false;
        }
        source = copy.fileName();
    }
    QString unreadable;
    const auto produce = [&](QIODevice &out) {
        if (out.write(head) != head.size())
            return false;
        // An archive that is there but cannot be read is not replaced by one
        // that has lost it.
        QFile old(source);
        if (QFileInfo(source).isFile() && !old.open(QIODevice::ReadOnly)) {
            unreadable = old.errorString();
            return false;
        }
        if (old.isOpen() && !copyPieces(old, out, true)) {
            if (old.error() != QFileDevice::NoError)
                unreadable = old.errorString();
            return false;
        }
        return out.write("\r\n", 2) == 2;
    };
    if (!files.write(target, produce, reason)) {
        if (reason && !unreadable.isEmpty())
            *reason = QStringLiteral("Архив новостей «%1» не удалось прочитать: %2.")
                          .arg(QDir::toNativeSeparators(m_installation.existingPath(archiveFile())), unreadable);
        return false;
    }
    return files.write(m_installation.writePath(lastPageFile()), TextCodec::toCp1251(QString(pageText + kCrLf)),
                       reason);
}
