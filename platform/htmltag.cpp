#include "platform/htmltag.h"

HtmlTag HtmlTag::read(QStringView html, qsizetype nameStart)
{
    qsizetype nameEnd = nameStart;
    while (nameEnd < html.size() && isNameChar(html[nameEnd]))
        ++nameEnd;
    HtmlTag tag;
    tag.name = html.sliced(nameStart, nameEnd - nameStart).toString().toLower();
    qsizetype end = nameEnd;
    QChar quote;
    while (end < html.size()) {
        const QChar t = html[end];
        if (!quote.isNull()) {
            if (t == quote)
                quote = QChar();
        } else if (t == u'"' || t == u'\'') {
            quote = t;
        } else if (t == u'>') {
            break;
        }
        ++end;
    }
    tag.finished = end < html.size();
    tag.end = tag.finished ? end + 1 : html.size();
    return tag;
}

qsizetype HtmlTag::findEndTag(QStringView html, qsizetype from, const QString &name)
{
    const QString endTag = QStringLiteral("</") + name;
    qsizetype close = from;
    while ((close = html.indexOf(endTag, close, Qt::CaseInsensitive)) >= 0) {
        const qsizetype after = close + endTag.size();
        if (after >= html.size() || !isNameChar(html[after]))
            return close;
        close = after;
    }
    return -1;
}
