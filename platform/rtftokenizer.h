#pragma once

#include <QByteArrayView>

#include <climits>
#include <cstdint>

// Splits RTF bytes into groups, control words, control symbols, \'hh bytes and
// runs of plain text. Kept inline: the displayed-text pass runs over every
// article of a search and must stay a tight loop.
class RtfTokenizer
{
public:
    enum class Kind : uint8_t { End, GroupStart, GroupEnd, Word, Symbol, Hex, Text };

    struct Token
    {
        Kind kind = Kind::End;
        bool hasParam = false;
        uint8_t byte = 0; // Symbol: the character; Hex: the byte value
        int param = 0;
        QByteArrayView text; // Word: the name; Text: the run of bytes
    };

    explicit RtfTokenizer(QByteArrayView bytes)
        : m_p(reinterpret_cast<const unsigned char *>(bytes.data()))
        , m_end(m_p + bytes.size())
    {
    }

    bool atEnd() const { return m_p >= m_end; }
    qsizetype remaining() const { return m_end - m_p; }

    // Passes over the data of \binN, or what is left of it.
    void skipBytes(qint64 count)
    {
        if (count <= 0)
            return;
        m_p = count >= remaining() ? m_end : m_p + count;
    }

    Token next()
    {
        Token t;
        for (;;) {
            if (m_p >= m_end)
                return t;
            const unsigned char c = *m_p;
            if (c == '{') {
                ++m_p;
                t.kind = Kind::GroupStart;
                return t;
            }
            if (c == '}') {
                ++m_p;
                t.kind = Kind::GroupEnd;
                return t;
            }
            if (c == '\\')
                return control();
            if (c == '\r' || c == '\n' || c == 0) {
                ++m_p; // line breaks in the source are not text
                continue;
            }
            const unsigned char *start = m_p;
            while (m_p < m_end && !isSpecial(*m_p))
                ++m_p;
            t.kind = Kind::Text;
            t.text = QByteArrayView(reinterpret_cast<const char *>(start), m_p - start);
            return t;
        }
    }

private:
    static bool isSpecial(unsigned char c)
    {
        return c == '\\' || c == '{' || c == '}' || c == '\r' || c == '\n' || c == 0;
    }
    static bool isLetter(unsigned char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }
    static bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
    static int hexValue(unsigned char c)
    {
        if (isDigit(c))
            return c - '0';
        const unsigned char l = c | 0x20;
        if (l >= 'a' && l <= 'f')
            return l - 'a' + 10;
        return -1;
    }

    Token control()
    {
        Token t;
        ++m_p; // the backslash
        if (m_p >= m_end)
            return t; // a stray backslash at the end ends the text
        const unsigned char c = *m_p;
        if (c == '\'') {
            ++m_p;
            const int hi = m_p < m_end ? hexValue(*m_p) : -1;
            const int lo = m_p + 1 < m_end ? hexValue(m_p[1]) : -1;
            if (hi < 0 || lo < 0) {
                // A broken escape shows nothing; the reader goes on after it.
                t.kind = Kind::Symbol;
                t.byte = '\'';
                return t;
            }
            m_p += 2;
            t.kind = Kind::Hex;
            t.byte = uint8_t(hi * 16 + lo);
            return t;
        }
        if (!isLetter(c)) {
            ++m_p;
            t.kind = Kind::Symbol;
            // A backslash before a line break is a paragraph mark.
            t.byte = (c == '\r' || c == '\n') ? uint8_t('\n') : c;
            return t;
        }
        const unsigned char *start = m_p;
        while (m_p < m_end && isLetter(*m_p) && m_p - start < 32)
            ++m_p;
        t.kind = Kind::Word;
        t.text = QByteArrayView(reinterpret_cast<const char *>(start), m_p - start);
        while (m_p < m_end && isLetter(*m_p))
            ++m_p; // over-long names are cut, not split into text
        if (m_p < m_end && (*m_p == '-' || isDigit(*m_p))) {
            const bool negative = *m_p == '-';
            if (negative)
                ++m_p;
            int64_t value = 0;
            while (m_p < m_end && isDigit(*m_p)) {
                if (value < INT_MAX)
                    value = value * 10 + (*m_p - '0');
                ++m_p;
            }
            if (value > INT_MAX)
                value = INT_MAX;
            t.hasParam = true;
            t.param = int(negative ? -value : value);
        }
        if (m_p < m_end && *m_p == ' ')
            ++m_p; // the delimiting space belongs to the word
        return t;
    }

    const unsigned char *m_p;
    const unsigned char *m_end;
};
