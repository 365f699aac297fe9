#include "news/messagestore.h"

#include "news/newspage.h"
#include "platform/programfolder.h"
#include "platform/safefile.h"
#include "platform/textcodec.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

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

QString MessageStore::readBack(const QString &name)
{
    QFile file(ProgramFolder::existingPath(name));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return NewsPage::withCrLf(withoutFinalLineBreak(TextCodec::decode(file.readAll())));
}

bool MessageStore::exists(const QString &name)
{
    return QFileInfo(ProgramFolder::existingPath(name)).isFile();
}

bool MessageStore::sameMessage(const QString &a, const QString &b)
{
    return withoutTrailingLineBreaks(NewsPage::withCrLf(a)) == withoutTrailingLineBreaks(NewsPage::withCrLf(b));
}

QString MessageStore::withNewEntry(const QString &message, const QDateTime &when, const QString &oldArchive)
{
    return QString(46, QLatin1Char('#')) + kCrLf + dateLine(when, QLocale::system()) + kCrLf
        + message + kCrLf + oldArchive + kCrLf;
}

QString MessageStore::dateLine(const QDateTime &when, const QLocale &locale)
{
    return QLatin1Char('[') + locale.toString(when.date(), QLocale::ShortFormat) + QStringLiteral("  ")
        + locale.toString(when.time(), withoutZone(locale.timeFormat(QLocale::LongFormat))) + QLatin1Char(']');
}

bool MessageStore::store(const QString &pageText, const QDateTime &when, const SafeFile &files)
{
    // The archive goes first: a page recorded as seen but missing from the
    // archive would be a message lost for good.
    const QString archive = withNewEntry(NewsPage::message(pageText), when, readBack(archiveFile()));
    if (!files.write(ProgramFolder::writePath(archiveFile()), TextCodec::toCp1251(archive)))
        return false;
    return files.write(ProgramFolder::writePath(lastPageFile()), TextCodec::toCp1251(QString(pageText + kCrLf)));
}
