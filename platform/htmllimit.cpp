#include "platform/htmllimit.h"

#include "platform/htmltag.h"

#include <QHash>
#include <QList>

#include <algorithm>

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

// Where a run of page text stands: it goes on across tags.
struct Run
{
    qsizetype length = 0;     // characters since the last blank
    qsizetype reference = -1; // characters since an unfinished character reference began
};

// Appends page text, giving a run of more than maxRun characters without a
// blank a zero-width space after every maxRun characters: Qt lays out a run
// it may not break in time that grows with the square of its length. Never
// inside a character reference or a surrogate pair. A zero-width space
// already there counts as a break, so that bounding a bounded page adds none.
void appendBreakable(QString &out, QStringView text, Run &run, bool &broken)
{
    qsizetype from = 0;
    for (qsizetype k = 0; k < text.size(); ++k) {
        const QChar c = text[k];
        if (c.isSpace() || c == QChar(0x200B)) {
            run = Run();
            continue;
        }
        if (run.length >= HtmlLimit::maxRun && run.reference < 0 && !c.isLowSurrogate()) {
            out += text.sliced(from, k - from);
            out += QChar(0x200B);
            from = k;
            run.length = 0;
            broken = true;
        }
        if (c == u'&')
            run.reference = 0;
        else if (c == u';' || (run.reference >= 0 && ++run.reference > 32))
            run.reference = -1;
        ++run.length;
    }
    out += text.sliced(from);
}

// Cuts the text appended to out from textStart on back to maxChars
// characters of out (the break opportunities it was given count), never
// inside a character reference or a surrogate pair.
void cutText(QString &out, qsizetype textStart, qsizetype maxChars)
{
    out.truncate(std::max(textStart, maxChars));
    const qsizetype amp = out.lastIndexOf(u'&');
    if (amp >= textStart && out.indexOf(u';', amp) < 0)
        out.truncate(amp);
    if (out.size() > textStart && out.back().isHighSurrogate())
        out.chop(1);
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
    Run run;

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
            const qsizetype textStart = out.size();
            if (end - i > room) {
                qsizetype stop = i + room;
                // Not inside a character reference, nor a surrogate pair.
                const qsizetype amp = html.lastIndexOf(u'&', stop);
                if (amp >= i && html.sliced(amp, stop - amp).indexOf(u';') < 0)
                    stop = amp;
                if (stop > i && html[stop - 1].isHighSurrogate())
                    --stop;
                appendBreakable(out, html.sliced(i, stop - i), run, result.broken);
                cutText(out, textStart, maxChars);
                result.cut = true;
                break;
            }
            appendBreakable(out, html.sliced(i, end - i), run, result.broken);
            if (out.size() > maxChars) {
                cutText(out, textStart, maxChars);
                result.cut = true;
                break;
            }
            i = end;
            continue;
        }
        // Comments and declarations pass through whole. One the page never
        // ends is left out, as it would hide the end tags written after it.
        if (html.sliced(i).startsWith(u"<!--")) {
            const qsizetype end = html.indexOf(u"-->", i + 4);
            if (end < 0)
                break;
            const qsizetype stop = end + 3;
            if (stop - i > maxChars - out.size()) {
                result.cut = true;
                break;
            }
            out += html.sliced(i, stop - i);
            i = stop;
            continue;
        }
        const bool closing = i + 1 < html.size() && html[i + 1] == u'/';
        const qsizetype nameStart = i + (closing ? 2 : 1);
        if (nameStart >= html.size()
            || !(html[nameStart].isLetter() || html[nameStart] == u'!' || html[nameStart] == u'?')) {
            // Written as a reference, so that text after tags left out
            // never joins it into a tag.
            if (maxChars - out.size() < 4) {
                result.cut = true;
                break;
            }
            appendBreakable(out, u"&lt;", run, result.broken);
            ++i;
            continue;
        }
        const HtmlTag parsed = HtmlTag::read(html, nameStart);
        const QString &name = parsed.name;
        const qsizetype tagEnd = parsed.end;
        const QStringView tag = html.sliced(i, tagEnd - i);
        i = tagEnd;
        if (!parsed.finished)
            break; // the page ends inside the tag, which would take in the end tags written after it

        // A tag that would pass the bound is where the page is cut.
        if (name.isEmpty() || isVoid(name) || tag.endsWith(u"/>")) {
            if (tag.size() > maxChars - out.size()) {
                result.cut = true;
                break;
            }
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
        if (tag.size() > maxChars - out.size()) {
            result.cut = true;
            break;
        }
        out += tag;
        if (isRawText(name)) {
            // Its text up to its end tag, as a second reading would find it.
            qsizetype close = HtmlTag::findEndTag(html, i, name);
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
