#pragma once

// The RTF tokenizer under the parser: private to the two RTF readers (the _p
// suffix), not part of the platform library's interface.

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <type_traits>

// Whole-buffer input: everything is in memory from the start.
struct RtfWholeInput
{
    static constexpr bool kStreaming = false;
};

// Input read from a device piece by piece into a sliding buffer, so a file of
// any size costs a bounded amount of memory.
class RtfStreamInput
{
public:
    static constexpr bool kStreaming = true;
    // Bytes kept ahead of each token: more than a control word's name, the
    // backslash and a \'hh escape need, so none of them is cut by a refill.
    static constexpr qsizetype kMargin = 64;

    RtfStreamInput(QIODevice &device, qsizetype pieceBytes)
        : m_device(device)
        , m_piece(std::max<qsizetype>(pieceBytes, 1))
    {
        m_buf.resize(kMargin + m_piece);
    }

    // Moves the unread tail [p, end) to the front and reads after it; false when
    // nothing more came.
    bool refill(const unsigned char *&p, const unsigned char *&end)
    {
        if (m_eof)
            return false;
        auto *base = reinterpret_cast<unsigned char *>(m_buf.data());
        const qsizetype keep = end - p;
        if (keep > 0 && p != base)
            std::memmove(base, p, std::size_t(keep));
        // Fill up to the margin even when a piece is tiny, a piece at a time.
        qsizetype have = keep;
        bool any = false;
        while (have < kMargin || !any) {
            const qint64 want = std::min<qint64>(m_piece, qint64(m_buf.size()) - have);
            if (want <= 0)
                break;
            const qint64 got = m_device.read(reinterpret_cast<char *>(base) + have, want);
            if (got <= 0) {
                m_eof = true;
                break;
            }
            have += got;
            any = true;
        }
        p = base;
        end = base + have;
        return any;
    }

    // Passes over count bytes past the buffer.
    void skip(qint64 count)
    {
        while (count > 0 && !m_eof) {
            const qint64 got = m_device.skip(count);
            if (got <= 0)
                m_eof = true;
            count -= std::max<qint64>(got, 0);
        }
    }

private:
    QIODevice &m_device;
    qsizetype m_piece;
    QByteArray m_buf;
    bool m_eof = false;
};

// Splits RTF bytes into groups, control words, control symbols, \'hh bytes and
// runs of plain text. Kept inline: the displayed-text pass runs over every
// article of a search and must stay a tight loop. With streamed input a run of
// text may come in several tokens; everything else comes as it would whole.
struct RtfTokens
{
    enum class Kind : uint8_t { End, GroupStart, GroupEnd, Word, Symbol, Hex, Text };

    struct Token
    {
        Kind kind = Kind::End;
        bool hasParam = false;
        uint8_t byte = 0; // Symbol: the character; Hex: the byte value
        int param = 0;
        QByteArrayView text; // Word: the name; Text: the run of bytes
    };
};

template <class Input = RtfWholeInput>
class RtfTokenizerT : public RtfTokens
{
public:
    explicit RtfTokenizerT(QByteArrayView bytes) requires(!Input::kStreaming)
        : m_p(reinterpret_cast<const unsigned char *>(bytes.data()))
        , m_end(m_p + bytes.size())
    {}

    explicit RtfTokenizerT(Input &input) requires(Input::kStreaming)
        : m_p(nullptr)
        , m_end(nullptr)
        , m_input(&input)
    {}

    qsizetype remaining() const { return m_end - m_p; }

    // Passes over the data of \binN, or what is left of it.
    void skipBytes(qint64 count)
    {
        if (count <= 0)
            return;
        if constexpr (Input::kStreaming) {
            if (count > remaining()) {
                m_input->skip(count - remaining());
                m_p = m_end;
                return;
            }
        }
        m_p = count >= remaining() ? m_end : m_p + count;
    }

    Token next()
    {
        Token t;
        for (;;) {
            if constexpr (Input::kStreaming) {
                if (m_end - m_p < Input::kMargin)
                    m_input->refill(m_p, m_end);
            }
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
        if constexpr (Input::kStreaming) {
            // What follows the name may run past the buffer, and a refill
            // moves the bytes the name points at.
            std::memcpy(m_name, start, std::size_t(t.text.size()));
            t.text = QByteArrayView(m_name, t.text.size());
        }
        while (more() && isLetter(*m_p))
            ++m_p; // over-long names are cut, not split into text
        if (more() && (*m_p == '-' || isDigit(*m_p))) {
            const bool negative = *m_p == '-';
            if (negative)
                ++m_p;
            int64_t value = 0;
            while (more() && isDigit(*m_p)) {
                if (value < INT_MAX)
                    value = value * 10 + (*m_p - '0');
                ++m_p;
            }
            if (value > INT_MAX)
                value = INT_MAX;
            t.hasParam = true;
            t.param = int(negative ? -value : value);
        }
        if (more() && *m_p == ' ')
            ++m_p; // the delimiting space belongs to the word
        return t;
    }

    // Whether a byte is at m_p, reading more input when the buffer is spent.
    bool more()
    {
        if (m_p < m_end)
            return true;
        if constexpr (Input::kStreaming)
            return m_input->refill(m_p, m_end) && m_p < m_end;
        return false;
    }

    const unsigned char *m_p;
    const unsigned char *m_end;
    [[no_unique_address]] std::conditional_t<Input::kStreaming, Input *, RtfWholeInput> m_input{};
    [[no_unique_address]] std::conditional_t<Input::kStreaming, char[32], RtfWholeInput> m_name{};
};

using RtfTokenizer = RtfTokenizerT<>;
