#include "news/newspage.h"

#include "news/htmltext.h"
#include "platform/textcodec.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace {

const QLatin1String kMarker("[news]");

// "text/html; charset=windows-1251" -> ("text/html", "windows-1251")
void splitContentType(const QString &contentType, QString *mimeType, QString *charset)
{
    const QStringList parts = contentType.split(QLatin1Char(';'));
    *mimeType = parts.value(0).trimmed().toLower();
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QString parameter = parts[i].trimmed();
        const qsizetype eq = parameter.indexOf(QLatin1Char('='));
        if (eq < 0 || parameter.left(eq).trimmed().compare(QLatin1String("charset"), Qt::CaseInsensitive) != 0)
            continue;
        QString value = parameter.mid(eq + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        *charset = value.trimmed();
    }
}

bool looksLikeHtml(QByteArrayView body)
{
    const QByteArray start = body.first(std::min<qsizetype>(body.size(), 64)).toByteArray().trimmed().toLower();
    return start.startsWith("<!doctype html") || start.startsWith("<html");
}

// What the page's own bytes may hold but no message box or text file should:
// NUL characters go, and half a surrogate pair (from a UTF-16 page cut
// short) becomes the replacement character.
QString withoutBrokenCharacters(QString text)
{
    text.remove(QChar::Null);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
    return text;
}

} // namespace

QString NewsPage::text(QByteArrayView body, const QString &contentType)
{
    QString mimeType;
    QString charset;
    splitContentType(contentType, &mimeType, &charset);

    QString decoded;
    bool decodedByCharset = false;
    if (!charset.isEmpty()) {
        QStringDecoder decoder(charset.toLatin1().constData());
        if (decoder.isValid()) {
            decoded = decoder.decode(body);
            decodedByCharset = true;
        }
    }
    if (!decodedByCharset)
        decoded = TextCodec::decode(body);

    const bool html = mimeType == QLatin1String("text/html") || mimeType == QLatin1String("application/xhtml+xml")
        || (mimeType.isEmpty() && looksLikeHtml(body));
    if (html)
        decoded = HtmlText::visibleText(decoded);
    return withCrLf(withoutBrokenCharacters(decoded));
}

bool NewsPage::hasMarker(const QString &text)
{
    return text.startsWith(kMarker, Qt::CaseInsensitive);
}

QString NewsPage::message(const QString &text)
{
    return text.mid(kMarker.size());
}

QString NewsPage::withCrLf(const QString &text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QString out = text;
    return out.replace(lineBreak, QStringLiteral("\r\n"));
}
