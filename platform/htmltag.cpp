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
