#include "platform/rtfreader.h"

#include "platform/rtfparser_p.h"

#include <functional>

namespace {

using namespace RtfParsing;

// Writes the displayed text straight into a preallocated buffer: the output
// never has more characters than the input has bytes, but it grows if need be.
class TextSink
{
public:
    explicit TextSink(qsizetype capacity)
        : m_out(capacity + 16, Qt::Uninitialized)
    {
        m_w = reinterpret_cast<char16_t *>(m_out.data());
        m_end = m_w + m_out.size();
    }

    void run(const unsigned char *p, qsizetype n, const CodeTable &table)
    {
        reserve(n);
        char16_t *w = m_w;
        for (qsizetype i = 0; i < n; ++i)
            w[i] = table[p[i]];
        m_w = w + n;
    }
    void put(char16_t c)
    {
        reserve(1);
        *m_w++ = c;
    }
    template <class P>
    void paragraph(const P &)
    {
        reserve(2);
        *m_w++ = u'\r';
        *m_w++ = u'\n';
    }
    void lineBreak() { paragraph(0); }

    QString take()
    {
        m_out.truncate(m_w - reinterpret_cast<char16_t *>(m_out.data()));
        return std::move(m_out);
    }

private:
    void reserve(qsizetype n)
    {
        if (m_end - m_w >= n)
            return;
        const qsizetype used = m_w - reinterpret_cast<char16_t *>(m_out.data());
        m_out.resize(std::max(used + n, m_out.size() * 2));
        m_w = reinterpret_cast<char16_t *>(m_out.data()) + used;
        m_end = reinterpret_cast<char16_t *>(m_out.data()) + m_out.size();
    }

    QString m_out;
    char16_t *m_w;
    char16_t *m_end;
};

// Hands the displayed text out in pieces of bounded size, never holding more.
class PieceSink
{
public:
    static constexpr qsizetype kPiece = 32 * 1024;

    explicit PieceSink(const std::function<bool(QStringView)> &consume)
        : m_consume(consume)
    {}

    void run(const unsigned char *p, qsizetype n, const CodeTable &table)
    {
        while (n > 0) {
            const qsizetype k = std::min(n, kPiece - m_used);
            for (qsizetype i = 0; i < k; ++i)
                m_buf[m_used + i] = table[p[i]];
            m_used += k;
            p += k;
            n -= k;
            if (m_used == kPiece)
                flush();
        }
    }
    void put(char16_t c)
    {
        // A surrogate pair is never cut between two pieces: its halves come one after the other.
        if (m_used == kPiece || (QChar::isHighSurrogate(c) && m_used == kPiece - 1))
            flush();
        m_buf[m_used++] = c;
    }
    template <class P>
    void paragraph(const P &)
    {
        put(u'\r');
        put(u'\n');
    }
    void lineBreak() { paragraph(0); }

    bool stopped() const { return m_stopped; }

    void flush()
    {
        if (m_used > 0 && !m_stopped)
            m_stopped = !m_consume(QStringView(m_buf.data(), m_used));
        m_used = 0;
    }

private:
    const std::function<bool(QStringView)> &m_consume;
    std::vector<char16_t> m_buf = std::vector<char16_t>(kPiece);
    qsizetype m_used = 0;
    bool m_stopped = false;
};

} // namespace

bool RtfReader::isRtf(QByteArrayView bytes)
{
    return bytes.startsWith("{\\rtf");
}

QString RtfReader::displayedText(QByteArrayView rtf)
{
    if (!isRtf(rtf))
        return TextCodec::decode(rtf);
    TextSink sink(rtf.size());
    Parser<TextSink, false> parser(rtf, sink);
    parser.run();
    return sink.take();
}

bool RtfReader::displayedText(QIODevice &in, const std::function<bool(QStringView)> &consume, qsizetype pieceBytes)
{
    if (!isRtf(in.peek(5)))
        return false;
    PieceSink sink(consume);
    RtfStreamInput input(in, pieceBytes);
    Parser<PieceSink, false, RtfStreamInput> parser(input, sink);
    parser.run();
    sink.flush();
    return !sink.stopped();
}
