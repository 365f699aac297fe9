#include "platform/htmllimit.h"

#include "platform/htmltag.h"

#include <QHash>
#include <QList>

namespace {

// Elements that never hold others.
bool isVoid(const QString &name)
{
    static const QStringList names{QStringLiteral("area"),  QStringLiteral("base"),  QStringLiteral("br"),
                                   QStringLiteral("col"),   QStringLiteral("embed"), QStringLiteral("hr"),
                                   QStringLiteral("img"),   QStringLiteral("input"), QStringLiteral("link"),
                                   QStringLiteral("meta"),  QStringLiteral("param"), QStringLiteral("source"),
                                   QStringLiteral("track"), QStringLiteral("wbr")};
    return names.contains(name);
}

// Elements whose end tag a page may leave out: a new one of the same kind
// closes the one before, within the list or table that holds them. Where the
// open element to close from is, or -1.
qsizetype implicitlyClosed(const QList<QString> &open, const QString &name)
{
    QStringList kind;
    QStringList holders;
    if (name == QLatin1String("td") || name == QLatin1String("th")) {
        kind = {QStringLiteral("td"), QStringLiteral("th")};
        holders = {QStringLiteral("tr"), QStringLiteral("table")};
    } else if (name == QLatin1String("tr")) {
        kind = {QStringLiteral("tr")};
        holders = {QStringLiteral("table")};
    } else if (name == QLatin1String("li")) {
        kind = {QStringLiteral("li")};
        holders = {QStringLiteral("ul"), QStringLiteral("ol")};
    } else if (name == QLatin1String("dt") || name == QLatin1String("dd")) {
        kind = {QStringLiteral("dt"), QStringLiteral("dd")};
        holders = {QStringLiteral("dl")};
    } else if (name == QLatin1String("p") || name == QLatin1String("option")) {
        return !open.isEmpty() && open.last() == name ? open.size() - 1 : -1;
    } else {
        return -1;
    }
    for (qsizetype at = open.size() - 1; at >= 0; --at) {
        if (kind.contains(open[at]))
            return at;
        if (holders.contains(open[at]))
            return -1;
    }
    return -1;
}

// The parts of a table, left out with the table they belong to.
bool isTablePart(const QString &name)
{
    static const QStringList names{QStringLiteral("tr"),      QStringLiteral("td"),      QStringLiteral("th"),
                                   QStringLiteral("thead"),   QStringLiteral("tbody"),   QStringLiteral("tfoot"),
                                   QStringLiteral("caption"), QStringLiteral("colgroup")};
    return names.contains(name);
}

// Their content is text up to their end tag, whatever it looks like.
bool isRawText(const QString &name)
{
    return name == QLatin1String("script") || name == QLatin1String("style") || name == QLatin1String("textarea")
        || name == QLatin1String("title");
}

// Appends page text, giving a run of more than maxRun characters without a
// blank a zero-width space every maxRun characters: Qt lays out a run it may
// not break in time that grows with the square of its length. Never inside a
// character reference or a surrogate pair. The run goes on across tags.
void appendBreakable(QString &out, QStringView text, qsizetype &run, bool &broken)
{
    qsizetype from = 0;
    qsizetype reference = -1; // where an unfinished character reference began
    for (qsizetype k = 0; k < text.size(); ++k) {
        const QChar c = text[k];
        if (c.isSpace()) {
            run = 0;
            reference = -1;
            continue;
        }
        if (c == u'&')
            reference = k;
        else if (c == u';' || (reference >= 0 && k - reference > 32))
            reference = -1;
        if (++run < HtmlLimit::maxRun || reference >= 0 || c.isHighSurrogate())
            continue;
        out += text.sliced(from, k + 1 - from);
        out += QChar(0x200B);
        from = k + 1;
        run = 0;
        broken = true;
    }
    out += text.sliced(from);
}

} // namespace

HtmlLimit::Result HtmlLimit::bound(QStringView html, qsizetype maxChars)
{
    Result result;
    QString &out = result.html;
    out.reserve(std::min(html.size(), maxChars) + 64);
    QList<QString> open; // the elements kept and not yet closed, outermost first
    int tables = 0;
    QHash<QString, qsizetype> dropped; // start tags left out, by name, whose end tags go too
    qsizetype droppedTables = 0;       // tables left out that are still open
    qsizetype run = 0;                 // characters since the last blank

    qsizetype i = 0;
    while (i < html.size()) {
        if (out.size() >= maxChars) {
            result.cut = true;
            break;
        }
        const qsizetype lt = html.indexOf(u'<', i);
        if (lt != i) {
            // Text, cut at the bound if it runs past it.
            const qsizetype end = lt < 0 ? html.size() : lt;
            const qsizetype room = maxChars - out.size();
            if (end - i > room) {
                qsizetype stop = i + room;
                // Not inside a character reference.
                const qsizetype amp = html.lastIndexOf(u'&', stop);
                if (amp >= i && html.sliced(amp, stop - amp).indexOf(u';') < 0)
                    stop = amp;
                appendBreakable(out, html.sliced(i, stop - i), run, result.broken);
                result.cut = true;
                break;
            }
            appendBreakable(out, html.sliced(i, end - i), run, result.broken);
            i = end;
            continue;
        }
        // Comments and declarations pass through whole.
        if (html.sliced(i).startsWith(u"<!--")) {
            const qsizetype end = html.indexOf(u"-->", i + 4);
            const qsizetype stop = end < 0 ? html.size() : end + 3;
            out += html.sliced(i, stop - i);
            i = stop;
            continue;
        }
        const bool closing = i + 1 < html.size() && html[i + 1] == u'/';
        const qsizetype nameStart = i + (closing ? 2 : 1);
        if (nameStart >= html.size()
            || !(html[nameStart].isLetter() || html[nameStart] == u'!' || html[nameStart] == u'?')) {
            out += u'<';
            ++i;
            continue;
        }
        const HtmlTag parsed = HtmlTag::read(html, nameStart);
        const QString &name = parsed.name;
        const qsizetype tagEnd = parsed.end;
        const QStringView tag = html.sliced(i, tagEnd - i);
        i = tagEnd;

        if (name.isEmpty() || isVoid(name) || tag.endsWith(u"/>")) {
            out += tag;
            continue;
        }
        if (droppedTables > 0 && isTablePart(name))
            continue;
        if (closing) {
            if (const auto found = dropped.find(name); found != dropped.end() && found.value() > 0) {
                --found.value();
                if (name == QLatin1String("table"))
                    --droppedTables;
                continue;
            }
            const qsizetype at = open.lastIndexOf(name);
            if (at < 0)
                continue; // closes nothing kept
            while (open.size() > at) {
                const QString &last = open.last();
                if (last == QLatin1String("table"))
                    --tables;
                out += QStringLiteral("</") + last + u'>';
                open.removeLast();
            }
            continue;
        }
        if (const qsizetype at = implicitlyClosed(open, name); at >= 0) {
            while (open.size() > at) {
                if (open.last() == QLatin1String("table"))
                    --tables;
                out += QStringLiteral("</") + open.last() + u'>';
                open.removeLast();
            }
        }
        const bool table = name == QLatin1String("table");
        if (open.size() >= maxDepth || (table && tables >= maxTableDepth)) {
            ++dropped[name];
            if (table)
                ++droppedTables;
            result.flattened = true;
            continue;
        }
        out += tag;
        if (isRawText(name)) {
            // Its text up to the end tag, as it is.
            const QString endTag = QStringLiteral("</") + name;
            qsizetype close = html.indexOf(endTag, i, Qt::CaseInsensitive);
            if (close < 0)
                close = html.size();
            if (close - i > maxChars - out.size()) {
                // Too long to show: left out, tag and all.
                result.cut = true;
                out.chop(tag.size());
                break;
            }
            out += html.sliced(i, close - i);
            i = close;
            open.append(name);
            continue;
        }
        open.append(name);
        if (table)
            ++tables;
    }
    // What is open is closed, innermost first.
    while (!open.isEmpty()) {
        out += QStringLiteral("</") + open.last() + u'>';
        open.removeLast();
    }
    return result;
}
