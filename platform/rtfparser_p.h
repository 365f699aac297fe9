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
#include <map>
#include <optional>
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
    DocCodePage, // \mac, \pc, \pca: the document's code page by name
    Cpg,
    Hidden,
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
    {"cpg", Act::Cpg},
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
    {"levelnumbers", Act::Skip},
    {"leveltext", Act::Skip},
    {"li", Act::Li},
    {"line", Act::LineBreak},
    {"list", Act::Skip},
    {"listlevel", Act::Skip},
    {"listname", Act::Skip},
    {"listoverride", Act::Skip},
    {"listoverridetable", Act::Skip},
    {"listtable", Act::Skip},
    {"lquote", Act::Char, 0x2018},
    {"mac", Act::DocCodePage},
    {"nestcell", Act::Char, u'\t'},
    {"nestrow", Act::Break},
    {"nonesttables", Act::Skip},
    {"nonshppict", Act::Skip},
    {"nosupersub", Act::NoSuperSub},
    {"object", Act::Skip},
    {"operator", Act::Skip},
    {"page", Act::Break},
    {"par", Act::Break},
    {"pard", Act::Pard},
    {"pc", Act::DocCodePage},
    {"pca", Act::DocCodePage},
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
    {"v", Act::Hidden},
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

// Byte-to-character table of a single-byte code page; 0 where a byte shows
// nothing (control characters).
using CodeTable = std::array<char16_t, 256>;

// Control characters are never displayed; a tab is.
inline bool isControl(char16_t c)
{
    return (c < 0x20 && c != u'\t') || (c >= 0x7F && c <= 0x9F);
}

inline CodeTable hideControls(CodeTable t)
{
    for (char16_t &c : t) {
        if (isControl(c))
            c = 0;
    }
    return t;
}

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
        return hideControls(t);
    }();
    return table;
}

// The name the converter knows a Windows code page by.
inline QByteArray codecName(int codePage)
{
    switch (codePage) {
    case 932:
        return "windows-31j";
    case 10000:
        return "macintosh";
    case 10007:
        return "x-mac-cyrillic";
    case 65001:
        return "UTF-8";
    case 874:
    case 936:
    case 949:
    case 950:
        return "windows-" + QByteArray::number(codePage);
    default:
        break;
    }
    return (codePage >= 1250 && codePage <= 1258 ? "windows-" : "cp") + QByteArray::number(codePage);
}

// The double-byte code pages (Japanese, Simplified Chinese, Korean, Traditional
// Chinese) and UTF-8: a character may take more than one byte.
inline constexpr int kMultiByteCodePages[] = {932, 936, 949, 950, 65001};

// The code page's place in kMultiByteCodePages, or -1.
inline int multiByteIndex(int codePage)
{
    const auto *it = std::find(std::begin(kMultiByteCodePages), std::end(kMultiByteCodePages), codePage);
    return it == std::end(kMultiByteCodePages) ? -1 : int(it - std::begin(kMultiByteCodePages));
}

// How many bytes the character that starts with b takes.
inline int sequenceLength(int codePage, uint8_t b)
{
    switch (codePage) {
    case 932:
        return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC) ? 2 : 1;
    case 65001:
        return b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xF0 && b <= 0xF4 ? 4 : 1;
    default:
        return b >= 0x81 && b <= 0xFE ? 2 : 1;
    }
}

// The code page of a font's \fcharset; 0 for the document's own.
inline int codePageOfCharset(int charset)
{
    switch (charset) {
    case 77:
        return 10000;
    case 89:
        return 10007;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 255:
        return 437;
    default:
        return 0; // 0 ANSI, 1 default, 2 symbol and the unknown
    }
}

// A single-byte table; of a double-byte code page, its single bytes. Anything
// we cannot decode keeps Windows-1251, the tradition of these files.
inline CodeTable buildTableForCodePage(int codePage)
{
    const QByteArray name = codecName(codePage);
    CodeTable t = cp1251Table();
    for (int i = 0x80; i < 256; ++i) {
        QStringDecoder decoder(name.constData());
        if (!decoder.isValid())
            return cp1251Table();
        const char byte = char(i);
        const QString s = decoder.decode(QByteArrayView(&byte, 1));
        t[i] = s.size() == 1 && !s.at(0).isSurrogate() ? s.at(0).unicode() : char16_t(0xFFFD);
    }
    for (int i = 0; i < 0x80; ++i)
        t[i] = char16_t(i);
    return hideControls(t);
}

// Building a table opens a decoder per byte: a file that repeats \ansicpg
// would otherwise take minutes. Each code page is built once per process,
// and only a handful of them ever, whatever numbers a file names. The
// tables stay put, so a reader keeps a pointer to its current one.
inline const CodeTable &tableForCodePage(int codePage)
{
    if (codePage == 1251 || codePage <= 0)
        return cp1251Table();
    static const int unicodeForms[] = {1200, 1201, 65000};
    if (std::find(std::begin(unicodeForms), std::end(unicodeForms), codePage) != std::end(unicodeForms))
        return cp1251Table();
    static QMutex mutex; // the search reads articles on a worker thread
    static std::map<int, CodeTable> built;
    const QMutexLocker lock(&mutex);
    if (const auto it = built.find(codePage); it != built.end())
        return it->second;
    if (built.size() >= 64)
        return cp1251Table();
    return built.emplace(codePage, buildTableForCodePage(codePage)).first->second;
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
// Bytes are decoded by the code page of the current font's character set, the
// document's (\ansicpg) where the font names none.
template <class Sink, bool Formatted, class Input = RtfWholeInput>
class Parser
{
public:
    using GroupProps = std::conditional_t<Formatted, Props, NoProps>;

    struct State
    {
        bool skip = false;
        bool hidden = false; // \v
        uint8_t uc = 1;
        Dest dest = Dest::Text;
        int font = -1; // the default font
        GroupProps props;
    };

    template <class Source>
    Parser(Source &&source, Sink &sink)
        : m_tok(source)
        , m_sink(sink)
        , m_table(&cp1251Table())
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
            // \* marks an ignorable destination only as the first thing in a group.
            const bool groupJustOpened = m_groupJustOpened;
            m_groupJustOpened = t.kind == Kind::GroupStart;
            switch (t.kind) {
            case Kind::End:
                settle();
                return;
            case Kind::GroupStart:
                m_have = 0;
                m_pendingSkip = 0;
                if (m_stack.size() < kMaxDepth)
                    m_stack.push_back(m_stack.back());
                else
                    ++m_overflow;
                break;
            case Kind::GroupEnd:
                m_have = 0;
                m_pendingSkip = 0;
                if (m_overflow > 0) {
                    --m_overflow;
                } else if (m_stack.size() > 1) {
                    endGroup();
                    if (m_stack.size() == 1) {
                        // The document's own group has closed: whatever follows is not part of it.
                        settle();
                        return;
                    }
                }
                break;
            case Kind::Text:
                text(t.text);
                break;
            case Kind::Hex:
                hex(t.byte);
                break;
            case Kind::Symbol:
                symbol(t.byte, groupJustOpened);
                break;
            case Kind::Word:
                m_have = 0;
                word(t);
                break;
            }
        }
    }

private:
    static constexpr std::size_t kMaxDepth = 100000;
    static constexpr int kMaxTwips = 31680;
    static constexpr qsizetype kMaxFonts = 4096;

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

    // The code page of a font; -1 is the default font.
    int codePageOfFont(int font) const
    {
        if (font < 0)
            font = m_defaultFont;
        const auto it = m_fontCodePages.constFind(font);
        const int own = it == m_fontCodePages.cend() ? 0 : (it->cpg > 0 ? it->cpg : it->charset);
        return own > 0 ? own : m_documentCodePage;
    }

    // Brings the table in line with the current font.
    void syncTable()
    {
        const int font = state().font;
        if (font == m_tableFont && !m_tableStale)
            return;
        m_tableFont = font;
        m_tableStale = false;
        const int codePage = codePageOfFont(font);
        if (codePage == m_codePage)
            return;
        m_codePage = codePage;
        m_table = &tableForCodePage(codePage);
        m_have = 0;
        m_decoder = nullptr;
        if (const int index = multiByteIndex(codePage); index >= 0) {
            // Opened once per reading, however often the fonts change.
            auto &decoder = m_decoders[std::size_t(index)];
            if (!decoder)
                decoder.emplace(codecName(codePage).constData());
            if (decoder->isValid())
                m_decoder = &*decoder;
        }
    }

    void setFontCodePage(int charset, int cpg)
    {
        if (m_fontNumber < 0 || (m_fontCodePages.size() >= kMaxFonts && !m_fontCodePages.contains(m_fontNumber)))
            return;
        FontCodePage &f = m_fontCodePages[m_fontNumber];
        if (charset >= 0)
            f.charset = codePageOfCharset(charset);
        if (cpg >= 0)
            f.cpg = cpg;
        m_tableStale = true;
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
        if (s.dest != Dest::Text) {
            if constexpr (Formatted) {
                for (qsizetype i = 0; i < n; ++i)
                    character((*m_table)[p[i]], p[i]);
            }
            return;
        }
        if (s.hidden || n == 0)
            return;
        syncTable();
        if (m_decoder && (m_have != 0 || std::any_of(p, p + n, [](unsigned char b) { return b >= 0x80; }))) {
            for (qsizetype i = 0; i < n; ++i)
                codeByte(p[i]);
            return;
        }
        settle();
        // The runs between the bytes that show nothing.
        const CodeTable &table = *m_table;
        for (qsizetype i = 0; i < n;) {
            qsizetype j = i;
            while (j < n && table[p[j]] != 0)
                ++j;
            if (j > i)
                m_sink.run(p + i, j - i, table);
            i = j + 1;
        }
    }

    void hex(uint8_t b)
    {
        const State &s = state();
        if (s.skip)
            return;
        if (m_pendingSkip > 0) {
            --m_pendingSkip;
            return;
        }
        if (s.dest != Dest::Text) {
            character((*m_table)[b], b);
            return;
        }
        if (s.hidden)
            return;
        syncTable();
        codeByte(b);
    }

    // A byte of text in the current code page: of a multi-byte one, the first
    // byte of a character waits for the rest, which may come escaped or as it is.
    void codeByte(uint8_t b)
    {
        if (m_have != 0) {
            m_bytes[m_have++] = char(b);
            if (m_have < m_need)
                return;
            m_decoder->resetState();
            const QString decoded = m_decoder->decode(QByteArrayView(m_bytes, m_have));
            m_have = 0;
            for (const QChar c : decoded)
                character(c.unicode());
            return;
        }
        if (m_decoder) {
            m_need = uint8_t(sequenceLength(m_codePage, b));
            if (m_need > 1) {
                m_bytes[0] = char(b);
                m_have = 1;
                return;
            }
        }
        character((*m_table)[b], b);
    }

    // One character, with its source byte where it came from one. A high
    // surrogate waits for its low one; either alone shows U+FFFD.
    void character(char16_t c, int byte = -1)
    {
        State &s = state();
        if (s.dest != Dest::Text) {
            if constexpr (Formatted) {
                if (s.dest == Dest::FontTable) {
                    if (byte == ';')
                        m_sink.fontEntryDone(m_fontNumber, m_fontName);
                    else if (c != 0)
                        m_fontName.append(QChar(c));
                } else if (s.dest == Dest::ColorTable && byte == ';') {
                    m_sink.colourEntryDone(m_red, m_green, m_blue, m_colourSet);
                    m_red = m_green = m_blue = 0;
                    m_colourSet = false;
                }
            }
            return;
        }
        if (s.hidden)
            return;
        if (m_highSurrogate != 0) {
            const char16_t high = m_highSurrogate;
            m_highSurrogate = 0;
            if (QChar::isLowSurrogate(c)) {
                m_sink.put(high);
                m_sink.put(c);
                return;
            }
            m_sink.put(0xFFFD);
        }
        if (QChar::isHighSurrogate(c)) {
            m_highSurrogate = c;
            return;
        }
        if (QChar::isLowSurrogate(c)) {
            m_sink.put(0xFFFD);
            return;
        }
        switch (c) {
        case 0xFDD0: // the document's own frame marks
        case 0xFDD1:
            return;
        case QChar::ParagraphSeparator:
            m_sink.paragraph(s.props);
            return;
        case QChar::LineSeparator:
            m_sink.lineBreak();
            return;
        default:
            if (!isControl(c)) // breaks come from \par and \line alone
                m_sink.put(c);
        }
    }

    // A high surrogate that no low one followed.
    void settle()
    {
        if (m_highSurrogate != 0) {
            m_highSurrogate = 0;
            m_sink.put(0xFFFD);
        }
    }

    void paragraph(const State &s)
    {
        if (s.dest != Dest::Text)
            return;
        settle();
        m_sink.paragraph(s.props);
    }

    void symbol(uint8_t c, bool groupJustOpened)
    {
        State &s = state();
        if (c == '*') {
            // An ignorable destination: nothing in it is displayed. Elsewhere the mark means nothing.
            if (groupJustOpened)
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
            if (m_have != 0 && s.dest == Dest::Text && !s.hidden)
                codeByte(c); // a later byte of a multi-byte character
            else
                character(c, c);
            break;
        case '~':
            m_have = 0;
            character(0x00A0);
            break;
        case '_':
            m_have = 0;
            character(0x2011);
            break;
        case '\t':
            m_have = 0;
            character(u'\t');
            break;
        case '\n':
            m_have = 0;
            paragraph(s);
            break;
        default:
            m_have = 0;
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
            paragraph(s);
            return;
        case Act::LineBreak:
            if (s.dest == Dest::Text) {
                settle();
                m_sink.lineBreak();
            }
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
            if (s.dest == Dest::Text) {
                m_documentCodePage = param;
                m_tableStale = true;
            }
            return;
        case Act::DocCodePage:
            if (s.dest == Dest::Text) {
                m_documentCodePage = t.text == "mac" ? 10000 : t.text == "pc" ? 437 : 850;
                m_tableStale = true;
            }
            return;
        case Act::Deff:
            m_defaultFont = param;
            m_tableStale = true;
            if constexpr (Formatted)
                m_sink.setDefaultFont(param);
            return;
        case Act::F:
            if (s.dest == Dest::FontTable) {
                m_fontNumber = param;
                if constexpr (Formatted)
                    m_fontName.clear();
                return;
            }
            s.font = param;
            break;
        case Act::Fcharset:
            if (s.dest == Dest::FontTable)
                setFontCodePage(param, -1);
            return;
        case Act::Cpg:
            if (s.dest == Dest::FontTable)
                setFontCodePage(-1, param);
            return;
        case Act::Plain:
            s.font = -1;
            s.hidden = false;
            break;
        case Act::Hidden:
            s.hidden = !t.hasParam || param != 0;
            return;
        case Act::FontTbl:
            s.dest = Dest::FontTable;
            m_fontNumber = -1;
            if constexpr (Formatted)
                m_fontName.clear();
            return;
        case Act::ColorTbl:
            // Read alike by both readings, so that what it holds (\deff, \f) counts alike.
            s.dest = Dest::ColorTable;
            if constexpr (Formatted) {
                m_red = m_green = m_blue = 0;
                m_colourSet = false;
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
            p.font = param;
            break;
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

    struct FontCodePage
    {
        int charset = 0; // from \fcharset
        int cpg = 0;     // from \cpg, which comes first
    };

    RtfTokenizerT<Input> m_tok;
    Sink &m_sink;
    const CodeTable *m_table;
    std::vector<State> m_stack;
    std::size_t m_overflow = 0; // groups opened beyond the depth we keep
    int m_pendingSkip = 0;      // fallback characters after \uN still to pass over
    bool m_groupJustOpened = false;
    // Code pages: the document's, each font's, and the one the table is of.
    int m_documentCodePage = 0; // none named: Windows-1251
    int m_defaultFont = -1;
    QHash<int, FontCodePage> m_fontCodePages;
    int m_tableFont = -1;
    bool m_tableStale = true;
    int m_codePage = 0;
    std::array<std::optional<QStringDecoder>, std::size(kMultiByteCodePages)> m_decoders;
    QStringDecoder *m_decoder = nullptr; // of the current code page when it is multi-byte
    char m_bytes[4] = {};                // a multi-byte character's bytes so far
    uint8_t m_have = 0;
    uint8_t m_need = 0;
    char16_t m_highSurrogate = 0; // from \uN, waiting for its low half
    // Font and colour table entries being read.
    int m_fontNumber = -1;
    QString m_fontName;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colourSet = false;
};

} // namespace RtfParsing
