#pragma once

// The RTF parser shared by the plain-text reader and the formatted document
// reader: a template over the sink that receives the text, so each reader
// pays only for what it keeps. Private to the RTF readers (the _p suffix).

#include "platform/rtftokenizer_p.h"
#include "platform/textcodec.h"

#include <QHash>
#include <QMutex>
#include <QString>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <vector>

namespace RtfParsing {

using Kind = RtfTokens::Kind;

enum class Act : uint8_t {
    Skip,      // a destination that is not displayed
    Char,      // shows one character
    Break,     // \par and its kin: CR LF
    LineBreak, // \line: CR LF within the paragraph
    Uc,
    U,
    Bin,
    AnsiCpg,
    Deff,
    FontTbl,
    ColorTbl,
    Red,
    Green,
    Blue,
    F,
    Fcharset,
    Plain,
    B,
    I,
    Ul,
    UlNone,
    Strike,
    Fs,
    Cf,
    Highlight,
    Super,
    Sub,
    NoSuperSub,
    Pard,
    Qc,
    Ql,
    Qr,
    Qj,
    Li,
    Ri,
    Fi,
    Sb,
    Sa,
    Tx,
};

struct Keyword
{
    const char *name;
    Act act;
    char16_t ch = 0;
};

// Sorted by name for binary search.
inline constexpr Keyword kKeywords[] = {
    {"ansicpg", Act::AnsiCpg},
    {"author", Act::Skip},
    {"b", Act::B},
    {"bin", Act::Bin},
    {"blue", Act::Blue},
    {"bullet", Act::Char, 0x2022},
    {"buptim", Act::Skip},
    {"cb", Act::Highlight},
    {"cell", Act::Char, u'\t'},
    {"cf", Act::Cf},
    {"colortbl", Act::ColorTbl},
    {"comment", Act::Skip},
    {"creatim", Act::Skip},
    {"datafield", Act::Skip},
    {"deff", Act::Deff},
    {"doccomm", Act::Skip},
    {"emdash", Act::Char, 0x2014},
    {"emspace", Act::Char, 0x2003},
    {"endash", Act::Char, 0x2013},
    {"enspace", Act::Char, 0x2002},
    {"f", Act::F},
    {"fcharset", Act::Fcharset},
    {"fi", Act::Fi},
    {"fldinst", Act::Skip},
    {"fonttbl", Act::FontTbl},
    {"footer", Act::Skip},
    {"footerf", Act::Skip},
    {"footerl", Act::Skip},
    {"footerr", Act::Skip},
    {"footnote", Act::Skip},
    {"fs", Act::Fs},
    {"green", Act::Green},
    {"header", Act::Skip},
    {"headerf", Act::Skip},
    {"headerl", Act::Skip},
    {"headerr", Act::Skip},
    {"highlight", Act::Highlight},
    {"i", Act::I},
    {"info", Act::Skip},
    {"keywords", Act::Skip},
    {"ldblquote", Act::Char, 0x201C},
    {"li", Act::Li},
    {"line", Act::LineBreak},
    {"listoverridetable", Act::Skip},
    {"listtable", Act::Skip},
    {"lquote", Act::Char, 0x2018},
    {"nestcell", Act::Char, u'\t'},
    {"nestrow", Act::Break},
    {"nonshppict", Act::Skip},
    {"nosupersub", Act::NoSuperSub},
    {"object", Act::Skip},
    {"operator", Act::Skip},
    {"page", Act::Break},
    {"par", Act::Break},
    {"pard", Act::Pard},
    {"pict", Act::Skip},
    {"plain", Act::Plain},
    {"pn", Act::Skip},
    {"printim", Act::Skip},
    {"private", Act::Skip},
    {"qc", Act::Qc},
    {"qj", Act::Qj},
    {"ql", Act::Ql},
    {"qmspace", Act::Char, 0x2005},
    {"qr", Act::Qr},
    {"rdblquote", Act::Char, 0x201D},
    {"red", Act::Red},
    {"revtbl", Act::Skip},
    {"revtim", Act::Skip},
    {"ri", Act::Ri},
    {"row", Act::Break},
    {"rquote", Act::Char, 0x2019},
    {"rsidtbl", Act::Skip},
    {"sa", Act::Sa},
    {"sb", Act::Sb},
    {"sect", Act::Break},
    {"strike", Act::Strike},
    {"stylesheet", Act::Skip},
    {"sub", Act::Sub},
    {"subject", Act::Skip},
    {"super", Act::Super},
    {"tab", Act::Char, u'\t'},
    {"tc", Act::Skip},
    {"template", Act::Skip},
    {"title", Act::Skip},
    {"tx", Act::Tx},
    {"txe", Act::Skip},
    {"u", Act::U},
    {"uc", Act::Uc},
    {"ul", Act::Ul},
    {"uld", Act::Ul},
    {"uldb", Act::Ul},
    {"ulnone", Act::UlNone},
    {"ulw", Act::Ul},
    {"xe", Act::Skip},
    {"xmlnstbl", Act::Skip},
};

constexpr bool keywordsSorted()
{
    for (std::size_t i = 1; i < std::size(kKeywords); ++i) {
        const char *a = kKeywords[i - 1].name;
        const char *b = kKeywords[i].name;
        while (*a && *a == *b) {
            ++a;
            ++b;
        }
        if (static_cast<unsigned char>(*a) >= static_cast<unsigned char>(*b))
            return false;
    }
    return true;
}
static_assert(keywordsSorted(), "keyword table must stay sorted");

inline const Keyword *findKeyword(QByteArrayView name)
{
    const auto *begin = std::begin(kKeywords);
    const auto *end = std::end(kKeywords);
    const auto *it = std::lower_bound(
        begin, end, name, [](const Keyword &k, QByteArrayView n) { return QByteArrayView(k.name).compare(n) < 0; });
    if (it != end && QByteArrayView(it->name) == name)
        return it;
    return nullptr;
}

// Byte-to-character table of the document's code page.
using CodeTable = std::array<char16_t, 256>;

inline const CodeTable &cp1251Table()
{
    static const CodeTable table = [] {
        CodeTable t{};
        char bytes[256];
        for (int i = 0; i < 256; ++i)
            bytes[i] = char(i);
        const QString s = TextCodec::fromCp1251(QByteArrayView(bytes, 256));
        for (int i = 0; i < 256; ++i)
            t[i] = s.at(i).unicode();
        return t;
    }();
    return table;
}

// Single-byte code pages other than Windows-1251; anything we cannot decode
// byte by byte keeps Windows-1251, the tradition of these files.
inline CodeTable buildTableForCodePage(int codePage)
{
    const QByteArray name = (codePage >= 1250 && codePage <= 1258 ? "windows-" : "cp") + QByteArray::number(codePage);
    CodeTable t = cp1251Table();
    for (int i = 0x80; i < 256; ++i) {
        QStringDecoder decoder(name.constData());
        if (!decoder.isValid())
            return cp1251Table();
        const char byte = char(i);
        const QString s = decoder.decode(QByteArrayView(&byte, 1));
        t[i] = s.size() == 1 ? s.at(0).unicode() : char16_t(0xFFFD);
    }
    for (int i = 0; i < 0x80; ++i)
        t[i] = char16_t(i);
    return t;
}

// Building a table opens a decoder per byte: a file that repeats \ansicpg
// would otherwise take minutes. Each code page is built once per process,
// and only a handful of them ever, whatever numbers a file names.
inline CodeTable tableForCodePage(int codePage)
{
    if (codePage == 1251 || codePage <= 0)
        return cp1251Table();
    static const int multiByte[] = {932, 936, 949, 950, 1200, 1201, 65000, 65001};
    if (std::find(std::begin(multiByte), std::end(multiByte), codePage) != std::end(multiByte))
        return cp1251Table();
    static QMutex mutex; // the search reads articles on a worker thread
    static QHash<int, CodeTable> built;
    const QMutexLocker lock(&mutex);
    if (const auto it = built.constFind(codePage); it != built.cend())
        return *it;
    if (built.size() >= 64)
        return cp1251Table();
    return *built.insert(codePage, buildTableForCodePage(codePage));
}

enum class Dest : uint8_t { Text, FontTable, ColorTable };

// Character and paragraph properties; only the formatted reader keeps them.
struct Props
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int8_t vertical = 0; // -1 sub, 1 super
    int halfPoints = 24;
    int colour = 0;
    int highlight = 0;
    int font = -1;                                             // the document's default
    int align = 0;                                             // 0 left, 1 centre, 2 right, 3 justify
    int left = 0, right = 0, first = 0, before = 0, after = 0; // twips
    // The paragraph's own tab stops, in twips from the left margin; a few are
    // kept, the rest of a long list is dropped.
    static constexpr int maxTabs = 8;
    std::array<int, maxTabs> tabs{};
    uint8_t tabCount = 0;

    bool sameCharacter(const Props &o) const
    {
        return bold == o.bold && italic == o.italic && underline == o.underline && strike == o.strike
            && vertical == o.vertical && halfPoints == o.halfPoints && colour == o.colour && highlight == o.highlight
            && font == o.font;
    }
    void resetCharacter()
    {
        const Props fresh;
        bold = fresh.bold;
        italic = fresh.italic;
        underline = fresh.underline;
        strike = fresh.strike;
        vertical = fresh.vertical;
        halfPoints = fresh.halfPoints;
        colour = fresh.colour;
        highlight = fresh.highlight;
        font = fresh.font;
    }
    void resetParagraph()
    {
        align = left = right = first = before = after = 0;
        tabCount = 0;
    }
};

struct NoProps
{};

// Reads the group structure with an explicit stack, so that deep nesting costs
// memory, never the call stack. The sink receives characters and breaks; with
// Formatted it also follows the formatting and the font and colour tables.
template <class Sink, bool Formatted, class Input = RtfWholeInput>
class Parser
{
public:
    using GroupProps = std::conditional_t<Formatted, Props, NoProps>;

    struct State
    {
        bool skip = false;
        uint8_t uc = 1;
        Dest dest = Dest::Text;
        GroupProps props;
    };

    template <class Source>
    Parser(Source &&source, Sink &sink)
        : m_tok(source)
        , m_sink(sink)
        , m_table(cp1251Table())
    {
        m_stack.reserve(64);
        m_stack.push_back(State{});
    }

    void run()
    {
        for (;;) {
            if constexpr (Input::kStreaming || requires(const Sink &sink) { sink.stopped(); }) {
                if (m_sink.stopped())
                    return;
            }
            const RtfTokens::Token t = m_tok.next();
            switch (t.kind) {
            case Kind::End:
                return;
            case Kind::GroupStart:
                m_pendingSkip = 0;
                if (m_stack.size() < kMaxDepth)
                    m_stack.push_back(m_stack.back());
                else
                    ++m_overflow;
                break;
            case Kind::GroupEnd:
                m_pendingSkip = 0;
                if (m_overflow > 0)
                    --m_overflow;
                else if (m_stack.size() > 1)
                    endGroup();
                break;
            case Kind::Text:
                text(t.text);
                break;
            case Kind::Hex:
                if (m_stack.back().skip)
                    break;
                if (m_pendingSkip > 0) {
                    --m_pendingSkip;
                    break;
                }
                character(m_table[t.byte], t.byte);
                break;
            case Kind::Symbol:
                symbol(t.byte);
                break;
            case Kind::Word:
                word(t);
                break;
            }
        }
    }

private:
    static constexpr std::size_t kMaxDepth = 100000;
    static constexpr int kMaxTwips = 31680;

    State &state() { return m_stack.back(); }

    void endGroup()
    {
        if constexpr (Formatted) {
            const State &inner = m_stack.back();
            if (inner.dest == Dest::FontTable && !inner.skip)
                m_sink.fontEntryDone(m_fontNumber, m_fontName);
            m_stack.pop_back();
            m_sink.propsChanged(m_stack.back().props);
        } else {
            m_stack.pop_back();
        }
    }

    void text(QByteArrayView run)
    {
        State &s = state();
        if (s.skip)
            return;
        if (m_pendingSkip > 0) {
            const qsizetype n = std::min<qsizetype>(m_pendingSkip, run.size());
            m_pendingSkip -= int(n);
            run = run.sliced(n);
        }
        const auto *p = reinterpret_cast<const unsigned char *>(run.data());
        const qsizetype n = run.size();
        if (Formatted && s.dest != Dest::Text) {
            for (qsizetype i = 0; i < n; ++i)
                character(m_table[p[i]], p[i]);
            return;
        }
        m_sink.run(p, n, m_table);
    }

    // One character, with its source byte where it came from one.
    void character(char16_t c, int byte = -1)
    {
        if constexpr (Formatted) {
            State &s = state();
            if (s.dest == Dest::FontTable) {
                if (byte == ';')
                    m_sink.fontEntryDone(m_fontNumber, m_fontName);
                else
                    m_fontName.append(QChar(c));
                return;
            }
            if (s.dest == Dest::ColorTable) {
                if (byte == ';') {
                    m_sink.colourEntryDone(m_red, m_green, m_blue, m_colourSet);
                    m_red = m_green = m_blue = 0;
                    m_colourSet = false;
                }
                return;
            }
        }
        switch (c) {
        case 0:
        case u'\r':
        case u'\n':
        case 0xFDD0: // the document's own frame marks
        case 0xFDD1:
            return; // breaks come from \par and \line alone
        case QChar::ParagraphSeparator:
            m_sink.paragraph(state().props);
            return;
        case QChar::LineSeparator:
            m_sink.lineBreak();
            return;
        default:
            m_sink.put(c);
        }
    }

    void symbol(uint8_t c)
    {
        State &s = state();
        if (c == '*') {
            // An optional destination: nothing in it is displayed.
            s.skip = true;
            return;
        }
        if (s.skip)
            return;
        if (m_pendingSkip > 0) {
            --m_pendingSkip;
            return;
        }
        switch (c) {
        case '\\':
        case '{':
        case '}':
            character(c, c);
            break;
        case '~':
            character(0x00A0);
            break;
        case '_':
            character(0x2011);
            break;
        case '\t':
            character(u'\t');
            break;
        case '\n':
            if (!Formatted || s.dest == Dest::Text)
                m_sink.paragraph(s.props);
            break;
        default:
            break; // \- optional hyphen and \| \: index marks show nothing
        }
    }

    void word(const RtfTokens::Token &t)
    {
        State &s = state();
        const Keyword *k = findKeyword(t.text);
        if (!k) {
            if (!s.skip && m_pendingSkip > 0)
                --m_pendingSkip;
            return;
        }
        if (k->act == Act::Bin) {
            m_tok.skipBytes(t.hasParam ? t.param : 0);
            return;
        }
        if (s.skip)
            return;
        if (m_pendingSkip > 0 && k->act != Act::U) {
            --m_pendingSkip;
            return;
        }
        const int param = t.param;
        switch (k->act) {
        case Act::Skip:
            s.skip = true;
            return;
        case Act::Char:
            character(k->ch);
            return;
        case Act::Break:
            if (!Formatted || s.dest == Dest::Text)
                m_sink.paragraph(s.props);
            return;
        case Act::LineBreak:
            if (!Formatted || s.dest == Dest::Text)
                m_sink.lineBreak();
            return;
        case Act::Uc:
            s.uc = uint8_t(std::clamp(param, 0, 255));
            return;
        case Act::U:
            if (param < -32768 || param > 65535)
                character(0xFFFD);
            else
                character(char16_t(param < 0 ? param + 65536 : param));
            m_pendingSkip = s.uc;
            return;
        case Act::AnsiCpg:
            // Only where text shows, so both readings decode alike.
            if (s.dest == Dest::Text)
                m_table = tableForCodePage(param);
            return;
        case Act::FontTbl:
            if constexpr (Formatted) {
                s.dest = Dest::FontTable;
                m_fontName.clear();
                m_fontNumber = -1;
            } else {
                s.skip = true;
            }
            return;
        case Act::ColorTbl:
            if constexpr (Formatted) {
                s.dest = Dest::ColorTable;
                m_red = m_green = m_blue = 0;
                m_colourSet = false;
            } else {
                s.skip = true;
            }
            return;
        default:
            break;
        }
        if constexpr (Formatted)
            formatting(s, k->act, t.hasParam, param);
    }

    void formatting(State &s, Act act, bool hasParam, int param)
    {
        Props &p = s.props;
        const bool on = !hasParam || param != 0;
        switch (act) {
        case Act::Deff:
            m_sink.setDefaultFont(param);
            return;
        case Act::Red:
            m_red = std::clamp(param, 0, 255);
            m_colourSet = true;
            return;
        case Act::Green:
            m_green = std::clamp(param, 0, 255);
            m_colourSet = true;
            return;
        case Act::Blue:
            m_blue = std::clamp(param, 0, 255);
            m_colourSet = true;
            return;
        case Act::F:
            if (s.dest == Dest::FontTable) {
                m_fontNumber = param;
                m_fontName.clear();
                return;
            }
            p.font = param;
            break;
        case Act::Fcharset:
            return;
        case Act::Plain:
            p.resetCharacter();
            break;
        case Act::B:
            p.bold = on;
            break;
        case Act::I:
            p.italic = on;
            break;
        case Act::Ul:
            p.underline = on;
            break;
        case Act::UlNone:
            p.underline = false;
            break;
        case Act::Strike:
            p.strike = on;
            break;
        case Act::Fs:
            p.halfPoints = hasParam && param > 0 ? std::min(param, 3276) : 24;
            break;
        case Act::Cf:
            p.colour = std::max(param, 0);
            break;
        case Act::Highlight:
            p.highlight = std::max(param, 0);
            break;
        case Act::Super:
            p.vertical = on ? 1 : 0;
            break;
        case Act::Sub:
            p.vertical = on ? -1 : 0;
            break;
        case Act::NoSuperSub:
            p.vertical = 0;
            break;
        case Act::Pard:
            p.resetParagraph();
            break;
        case Act::Qc:
            p.align = 1;
            break;
        case Act::Ql:
            p.align = 0;
            break;
        case Act::Qr:
            p.align = 2;
            break;
        case Act::Qj:
            p.align = 3;
            break;
        // Word's own bounds: 22 inches. Larger values from a damaged file make a
        // document taller than the text layout can count, and it never finishes.
        case Act::Li:
            p.left = std::clamp(param, -kMaxTwips, kMaxTwips);
            break;
        case Act::Ri:
            p.right = std::clamp(param, -kMaxTwips, kMaxTwips);
            break;
        case Act::Fi:
            p.first = std::clamp(param, -kMaxTwips, kMaxTwips);
            break;
        case Act::Sb:
            p.before = std::clamp(param, -kMaxTwips, kMaxTwips);
            break;
        case Act::Sa:
            p.after = std::clamp(param, -kMaxTwips, kMaxTwips);
            break;
        case Act::Tx:
            if (p.tabCount < Props::maxTabs)
                p.tabs[p.tabCount++] = std::clamp(param, 0, kMaxTwips);
            break;
        default:
            return;
        }
        m_sink.propsChanged(p);
    }

    RtfTokenizerT<Input> m_tok;
    Sink &m_sink;
    CodeTable m_table;
    std::vector<State> m_stack;
    std::size_t m_overflow = 0; // groups opened beyond the depth we keep
    int m_pendingSkip = 0;      // fallback characters after \uN still to pass over
    // Font and colour table entries being read.
    int m_fontNumber = -1;
    QString m_fontName;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colourSet = false;
};

} // namespace RtfParsing
