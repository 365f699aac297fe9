#include "news/htmltext.h"

#include "platform/htmltag.h"

#include <QHash>
#include <QSet>

namespace {

// Elements that start and end a line of their own.
const QSet<QString> &blockElements()
{
    static const QSet<QString> names{
        QStringLiteral("address"),    QStringLiteral("article"), QStringLiteral("aside"),  QStringLiteral("blockquote"),
        QStringLiteral("body"),       QStringLiteral("caption"), QStringLiteral("center"), QStringLiteral("dd"),
        QStringLiteral("div"),        QStringLiteral("dl"),      QStringLiteral("dt"),     QStringLiteral("fieldset"),
        QStringLiteral("figcaption"), QStringLiteral("figure"),  QStringLiteral("footer"), QStringLiteral("form"),
        QStringLiteral("h1"),         QStringLiteral("h2"),      QStringLiteral("h3"),     QStringLiteral("h4"),
        QStringLiteral("h5"),         QStringLiteral("h6"),      QStringLiteral("header"), QStringLiteral("hr"),
        QStringLiteral("html"),       QStringLiteral("li"),      QStringLiteral("main"),   QStringLiteral("nav"),
        QStringLiteral("ol"),         QStringLiteral("p"),       QStringLiteral("pre"),    QStringLiteral("section"),
        QStringLiteral("table"),      QStringLiteral("tbody"),   QStringLiteral("td"),     QStringLiteral("tfoot"),
        QStringLiteral("th"),         QStringLiteral("thead"),   QStringLiteral("tr"),     QStringLiteral("ul")};
    return names;
}

// Elements whose content is never shown; it runs up to their end tag.
bool hiddenContent(const QString &name)
{
    return name == QLatin1String("script") || name == QLatin1String("style") || name == QLatin1String("title");
}

const QHash<QString, char16_t> &namedReferences()
{
    static const QHash<QString, char16_t> names{
        {QStringLiteral("amp"), u'&'},   {QStringLiteral("lt"), u'<'},     {QStringLiteral("gt"), u'>'},
        {QStringLiteral("quot"), u'"'},  {QStringLiteral("apos"), u'\''},  {QStringLiteral("nbsp"), u' '},
        {QStringLiteral("laquo"), u'«'}, {QStringLiteral("raquo"), u'»'},  {QStringLiteral("mdash"), u'—'},
        {QStringLiteral("ndash"), u'–'}, {QStringLiteral("hellip"), u'…'}, {QStringLiteral("copy"), u'©'},
        {QStringLiteral("reg"), u'®'},   {QStringLiteral("trade"), u'™'},  {QStringLiteral("deg"), u'°'},
        {QStringLiteral("bull"), u'•'},  {QStringLiteral("middot"), u'·'}, {QStringLiteral("times"), u'×'},
        {QStringLiteral("lsquo"), u'‘'}, {QStringLiteral("rsquo"), u'’'},  {QStringLiteral("ldquo"), u'“'},
        {QStringLiteral("rdquo"), u'”'}, {QStringLiteral("bdquo"), u'„'},  {QStringLiteral("euro"), u'€'},
        {QStringLiteral("sect"), u'§'},  {QStringLiteral("numero"), u'№'}, {QStringLiteral("shy"), u'\u00AD'}};
    return names;
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

class Writer
{
public:
    // Blanks become one space between words, and nothing at a line's ends.
    void text(QStringView run, bool preformatted)
    {
        for (const QChar c : run) {
            if (preformatted) {
                flushSpace();
                m_out += c == u'\r' ? u'\n' : c;
            } else if (isBlank(c)) {
                m_space = true;
            } else {
                flushSpace();
                m_out += c;
            }
        }
    }
    void character(char32_t c)
    {
        flushSpace();
        m_out += QString::fromUcs4(&c, 1);
    }
    void lineBreak()
    {
        m_space = false;
        m_out += u'\n';
    }
    // A block starts or ends: a new line unless one has just begun.
    void blockEdge()
    {
        m_space = false;
        if (!m_out.isEmpty() && !m_out.endsWith(u'\n'))
            m_out += u'\n';
    }
    QString result()
    {
        while (m_out.endsWith(u'\n'))
            m_out.chop(1);
        return m_out;
    }

private:
    void flushSpace()
    {
        if (m_space && !m_out.isEmpty() && !m_out.endsWith(u'\n'))
            m_out += u' ';
        m_space = false;
    }

    QString m_out;
    bool m_space = false;
};

// A character reference at `at` (just after '&'); its end, or `at` when none.
qsizetype reference(QStringView html, qsizetype at, char32_t *value)
{
    qsizetype end = at;
    if (end < html.size() && html[end] == u'#') {
        ++end;
        int base = 10;
        if (end < html.size() && (html[end] == u'x' || html[end] == u'X')) {
            base = 16;
            ++end;
        }
        const qsizetype digits = end;
        char32_t code = 0;
        while (end < html.size() && end - digits < 8) {
            const int digit = QChar(html[end]).isDigit() ? html[end].unicode() - u'0'
                : base == 16 && QStringView(u"abcdef").contains(html[end].toLower())
                ? 10 + html[end].toLower().unicode() - u'a'
                : -1;
            if (digit < 0)
                break;
            code = code * base + char32_t(digit);
            ++end;
        }
        if (end == digits)
            return at;
        if (end < html.size() && html[end] == u';')
            ++end;
        *value = code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) ? 0xFFFD : code;
        return end;
    }
    while (end < html.size() && end - at < 10 && html[end].isLetterOrNumber())
        ++end;
    if (end == at || end >= html.size() || html[end] != u';')
        return at;
    const auto found = namedReferences().constFind(html.sliced(at, end - at).toString());
    if (found == namedReferences().cend())
        return at;
    *value = found.value();
    return end + 1;
}

} // namespace

QString HtmlText::visibleText(QStringView html)
{
    Writer out;
    int preformatted = 0;
    qsizetype i = 0;
    while (i < html.size()) {
        const QChar c = html[i];
        if (c == u'&') {
            char32_t value = 0;
            const qsizetype end = reference(html, i + 1, &value);
            if (end > i + 1) {
                if (value != 0xAD)
                    out.character(value);
                i = end;
            } else {
                out.text(html.sliced(i, 1), preformatted > 0);
                ++i;
            }
            continue;
        }
        if (c != u'<' || i + 1 >= html.size()) {
            // Plain text up to the next markup or reference.
            qsizetype end = i + 1;
            while (end < html.size() && html[end] != u'<' && html[end] != u'&')
                ++end;
            out.text(html.sliced(i, end - i), preformatted > 0);
            i = end;
            continue;
        }

        const QChar next = html[i + 1];
        if (html.sliced(i).startsWith(u"<!--")) {
            const qsizetype end = html.indexOf(u"-->", i + 4);
            i = end < 0 ? html.size() : end + 3;
            continue;
        }
        if (next == u'!' || next == u'?') {
            const qsizetype end = html.indexOf(u'>', i + 2);
            i = end < 0 ? html.size() : end + 1;
            continue;
        }
        const bool closing = next == u'/';
        qsizetype nameStart = i + (closing ? 2 : 1);
        if (nameStart >= html.size() || !html[nameStart].isLetter()) {
            // A '<' that starts no tag is text.
            out.text(html.sliced(i, 1), preformatted > 0);
            ++i;
            continue;
        }
        const HtmlTag tag = HtmlTag::read(html, nameStart);
        const QString &name = tag.name;
        i = tag.end;

        if (!closing && hiddenContent(name)) {
            // Up to the matching end tag, found by its name alone.
            const qsizetype close = HtmlTag::findEndTag(html, i, name);
            if (close < 0) {
                i = html.size();
            } else {
                const qsizetype gt = html.indexOf(u'>', close);
                i = gt < 0 ? html.size() : gt + 1;
            }
            continue;
        }
        if (name == QLatin1String("br")) {
            out.lineBreak();
        } else if (blockElements().contains(name)) {
            out.blockEdge();
            if (name == QLatin1String("pre"))
                preformatted = std::max(0, preformatted + (closing ? -1 : 1));
        }
    }
    return out.result();
}
