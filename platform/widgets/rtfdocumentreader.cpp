#include "platform/widgets/rtfdocumentreader.h"

#include "platform/linebreaks.h"
#include "platform/rtfparser_p.h"
#include "platform/rtfreader.h"

#include <QColor>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>
#include <vector>

namespace {

using namespace RtfParsing;

// Builds the formatted document run by run.
class DocumentSink
{
public:
    DocumentSink(QTextDocument *document, const RtfDocumentReader::Limits &limits)
        : m_document(document)
        , m_cursor(document)
        , m_limits(limits)
        , m_line(limits.lineCharacters >= 0 ? limits.lineCharacters : LineBreaks::maxLine)
    {}

    // The parser stops once a bound is reached.
    bool stopped() const { return m_full; }

    void run(const unsigned char *p, qsizetype n, const CodeTable &table)
    {
        n = room(n);
        startRun();
        if (m_limits.lineCharacters >= 0) {
            for (qsizetype i = 0; i < n; ++i)
                append(QChar(table[p[i]]));
            return;
        }
        const qsizetype at = m_pending.size();
        m_pending.resize(at + n);
        auto *w = reinterpret_cast<char16_t *>(m_pending.data()) + at;
        for (qsizetype i = 0; i < n; ++i)
            w[i] = table[p[i]];
    }
    void put(char16_t c)
    {
        if (room(1) == 0)
            return;
        startRun();
        append(QChar(c));
    }
    void paragraph(const Props &p)
    {
        if (m_limits.paragraphs >= 0 && ++m_paragraphs >= m_limits.paragraphs) {
            m_full = true;
            return;
        }
        if (room(1) == 0)
            return;
        flush();
        m_cursor.setBlockFormat(blockFormat(p));
        m_cursor.insertBlock();
        m_line.lineEnded();
    }
    void lineBreak()
    {
        if (room(1) == 0)
            return;
        startRun();
        append(QChar::LineSeparator);
    }
    void propsChanged(const Props &p) { m_props = p; }
    void setDefaultFont(int font) { m_defaultFont = font; }
    void fontEntryDone(int number, QString &name)
    {
        const QString family = name.trimmed();
        // Font numbers come from the file: any value, so a hash, and bounded.
        if (number >= 0 && !family.isEmpty() && (m_fonts.size() < 4096 || m_fonts.contains(number)))
            m_fonts.insert(number, family);
        name.clear();
    }
    void colourEntryDone(int r, int g, int b, bool set)
    {
        if (m_colours.size() < 4096)
            m_colours.push_back(set ? QColor(r, g, b) : QColor());
    }

    void finish()
    {
        flush();
        m_cursor.setBlockFormat(blockFormat(m_props));
        const QString family = fontFamily(m_defaultFont);
        if (!family.isEmpty()) {
            QFont font = m_document->defaultFont();
            font.setFamilies({family});
            m_document->setDefaultFont(font);
        }
    }

private:
    // How many of n characters still fit; counts them in.
    qsizetype room(qsizetype n)
    {
        if (m_full)
            return 0;
        if (m_limits.characters >= 0 && m_characters + n >= m_limits.characters) {
            n = std::max<qsizetype>(0, m_limits.characters - m_characters);
            m_full = true;
        }
        m_characters += n;
        return n;
    }

    // A paragraph too long to lay out quickly goes on in a new one of the same format.
    void append(QChar c)
    {
        if (m_limits.lineCharacters >= 0 && m_line.breakBefore(c)) {
            flush();
            m_cursor.insertBlock();
        }
        m_pending.append(c);
    }

    void startRun()
    {
        if (!m_pending.isEmpty() && !m_runProps.sameCharacter(m_props))
            flush();
        if (m_pending.isEmpty())
            m_runProps = m_props;
    }

    void flush()
    {
        if (m_pending.isEmpty())
            return;
        m_cursor.insertText(m_pending, charFormat(m_runProps));
        m_pending.clear();
    }

    QString fontFamily(int number) const { return m_fonts.value(number); }

    QTextCharFormat charFormat(const Props &p) const
    {
        QTextCharFormat f;
        f.setFontWeight(p.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(p.italic);
        f.setFontUnderline(p.underline);
        f.setFontStrikeOut(p.strike);
        f.setFontPointSize(p.halfPoints / 2.0);
        if (p.vertical != 0)
            f.setVerticalAlignment(p.vertical > 0 ? QTextCharFormat::AlignSuperScript
                                                  : QTextCharFormat::AlignSubScript);
        if (p.colour > 0 && p.colour < qsizetype(m_colours.size()) && m_colours[p.colour].isValid())
            f.setForeground(m_colours[p.colour]);
        if (p.highlight > 0 && p.highlight < qsizetype(m_colours.size()) && m_colours[p.highlight].isValid())
            f.setBackground(m_colours[p.highlight]);
        const QString family = fontFamily(p.font < 0 ? m_defaultFont : p.font);
        if (!family.isEmpty())
            f.setFontFamilies(QStringList{family});
        return f;
    }

    // Qt measures a line's tab stops from where the line starts; RTF from the
    // left margin. They are set for the first line, where a list's bullet and
    // its tab stand. After a negative first-line indent (a hanging indent) a
    // tab stops at the left indent when no tab stop comes first, as in Word,
    // so that the text after a bullet starts where its wrapped lines do.
    static QList<QTextOption::Tab> tabStops(const Props &p)
    {
        static constexpr double pixelsPerTwip = 96.0 / 1440.0;
        const int lineStart = std::max(p.left, 0) + p.first;
        std::vector<int> stops(p.tabs.begin(), p.tabs.begin() + p.tabCount);
        if (p.first < 0
            && std::none_of(stops.begin(), stops.end(), [&](int stop) { return stop > lineStart && stop <= p.left; }))
            stops.push_back(std::max(p.left, 0));
        std::sort(stops.begin(), stops.end());
        QList<QTextOption::Tab> tabs;
        for (const int stop : stops) {
            if (stop > lineStart && (tabs.isEmpty() || tabs.last().position < (stop - lineStart) * pixelsPerTwip))
                tabs.append(QTextOption::Tab((stop - lineStart) * pixelsPerTwip, QTextOption::LeftTab));
        }
        return tabs;
    }

    static QTextBlockFormat blockFormat(const Props &p)
    {
        static constexpr double pixelsPerTwip = 96.0 / 1440.0;
        QTextBlockFormat f;
        static constexpr Qt::Alignment aligns[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight, Qt::AlignJustify};
        f.setAlignment(aligns[p.align]);
        f.setLeftMargin(std::max(p.left, 0) * pixelsPerTwip);
        f.setRightMargin(std::max(p.right, 0) * pixelsPerTwip);
        f.setTextIndent(p.first * pixelsPerTwip);
        f.setTopMargin(std::max(p.before, 0) * pixelsPerTwip);
        f.setBottomMargin(std::max(p.after, 0) * pixelsPerTwip);
        f.setTabPositions(tabStops(p));
        return f;
    }

    QTextDocument *m_document;
    QTextCursor m_cursor;
    RtfDocumentReader::Limits m_limits;
    qsizetype m_characters = 0;
    qsizetype m_paragraphs = 0;
    bool m_full = false;
    LineBreaks::Counter m_line;
    QString m_pending;
    Props m_runProps;
    Props m_props;
    int m_defaultFont = 0;
    QHash<int, QString> m_fonts;
    std::vector<QColor> m_colours;
};

} // namespace

bool RtfDocumentReader::read(QByteArrayView rtf, QTextDocument *document, const Limits &limits)
{
    if (!RtfReader::isRtf(rtf)) {
        QString text = TextCodec::decode(rtf);
        const bool whole = limits.characters < 0 || text.size() <= limits.characters;
        if (!whole)
            text.truncate(limits.characters);
        document->setPlainText(limits.lineCharacters >= 0 ? LineBreaks::bound(text, limits.lineCharacters) : text);
        return whole;
    }
    document->clear();
    document->setUndoRedoEnabled(false);
    // One edit: a document on show is laid out once, not after every paragraph.
    QTextCursor edit(document);
    edit.beginEditBlock();
    DocumentSink sink(document, limits);
    Parser<DocumentSink, true> parser(rtf, sink);
    parser.run();
    sink.finish();
    edit.endEditBlock();
    return !sink.stopped();
}
