#include "search/articletext.h"

#include "search/casefold.h"
#include "platform/rtfreader.h"
#include "platform/textcodec.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTemporaryFile>

#include <cstring>
#include <string>

namespace {

const QByteArrayView kUtf8Mark("\xEF\xBB\xBF");

bool cancelled(const std::atomic_bool *cancel)
{
    return cancel && cancel->load(std::memory_order_relaxed);
}

// The first occurrence of needle in hay[from, n), or -1.
qint64 findIn(const char *hay, qint64 n, qint64 from, const std::string &needle)
{
    const auto len = qint64(needle.size());
    if (from < 0 || len == 0 || from > n - len)
        return -1;
    const void *r = memmem(hay + from, std::size_t(n - from), needle.data(), needle.size());
    return r ? static_cast<const char *>(r) - hay : -1;
}

qint64 findIn(const char16_t *hay, qint64 n, qint64 from, const std::u16string &needle)
{
    const auto len = qint64(needle.size());
    if (from < 0 || len == 0 || from > n - len)
        return -1;
    return QStringView(hay, n).indexOf(QStringView(needle.data(), len), from);
}

// The needle in the text's own characters; false when it cannot occur there.
bool toNeedle(const QString &folded, std::string &out)
{
    QByteArray bytes;
    if (!CaseFold::toCp1251(folded, bytes))
        return false;
    out.assign(bytes.constData(), std::size_t(bytes.size()));
    return true;
}

bool toNeedle(const QString &folded, std::u16string &out)
{
    out.assign(reinterpret_cast<const char16_t *>(folded.utf16()), std::size_t(folded.size()));
    return true;
}

class NoOccurrence : public OccurrenceSource
{
public:
    qint64 next() override { return -1; }
};

template<typename CharT>
class MemorySource : public OccurrenceSource
{
public:
    MemorySource(std::shared_ptr<const std::basic_string<CharT>> text, std::basic_string<CharT> needle)
        : m_text(std::move(text)), m_needle(std::move(needle))
    {
    }
    qint64 next() override
    {
        const qint64 r = findIn(m_text->data(), qint64(m_text->size()), m_from, m_needle);
        if (r >= 0)
            m_from = r + 1;
        else
            m_from = qint64(m_text->size()) + 1;
        return r;
    }

private:
    std::shared_ptr<const std::basic_string<CharT>> m_text;
    std::basic_string<CharT> m_needle;
    qint64 m_from = 0;
};

template<typename CharT>
class MemoryText : public ArticleText
{
public:
    explicit MemoryText(std::basic_string<CharT> folded)
        : m_text(std::make_shared<const std::basic_string<CharT>>(std::move(folded)))
    {
    }
    std::unique_ptr<OccurrenceSource> find(const QString &folded) const override
    {
        std::basic_string<CharT> needle;
        if (folded.isEmpty() || !toNeedle(folded, needle))
            return std::make_unique<NoOccurrence>();
        return std::make_unique<MemorySource<CharT>>(m_text, std::move(needle));
    }

private:
    std::shared_ptr<const std::basic_string<CharT>> m_text;
};

// Reads the file a chunk at a time, keeping just enough of the previous chunk
// for an occurrence that straddles the edge.
template<typename CharT>
class ChunkedSource : public OccurrenceSource
{
public:
    ChunkedSource(const QString &path, qint64 dataStart, qint64 chunkBytes, std::basic_string<CharT> needle,
                  const std::atomic_bool *cancel, bool rawUtf16 = false)
        : m_file(path), m_chunk(qMax<qint64>(chunkBytes, 1)), m_needle(std::move(needle)), m_cancel(cancel),
          m_rawUtf16(rawUtf16)
    {
        m_eof = !m_file.open(QIODevice::ReadOnly) || (dataStart > 0 && !m_file.seek(dataStart));
    }

    qint64 next() override
    {
        for (;;) {
            const qint64 local = qMax<qint64>(m_from - m_base, 0);
            const qint64 r = findIn(m_buf.data(), qint64(m_buf.size()), local, m_needle);
            if (r >= 0) {
                m_from = m_base + r + 1;
                return m_base + r;
            }
            if (m_eof || cancelled(m_cancel)) {
                m_eof = true;
                return -1;
            }
            const qint64 keep = qint64(m_needle.size()) - 1;
            const qint64 drop = qBound<qint64>(0, qMax(qint64(m_buf.size()) - keep, local), qint64(m_buf.size()));
            m_buf.erase(0, std::size_t(drop));
            m_base += drop;
            readChunk();
        }
    }

private:
    void readChunk();

    QFile m_file;
    qint64 m_chunk;
    std::basic_string<CharT> m_needle;
    const std::atomic_bool *m_cancel;
    bool m_rawUtf16; // the file holds the text's own UTF-16 units, not UTF-8
    std::basic_string<CharT> m_buf;
    QByteArray m_bytes;
    QStringDecoder m_decoder{QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom};
    qint64 m_base = 0; // position of m_buf[0] in the text
    qint64 m_from = 0; // where the next search starts
    bool m_eof = false;
};

template<>
void ChunkedSource<char>::readChunk()
{
    m_bytes.resize(m_chunk);
    const qint64 got = m_file.read(m_bytes.data(), m_chunk);
    if (got <= 0) {
        m_eof = true;
        return;
    }
    const std::size_t old = m_buf.size();
    m_buf.resize(old + std::size_t(got));
    CaseFold::foldCp1251(m_bytes.constData(), std::size_t(got), m_buf.data() + old);
}

template<>
void ChunkedSource<char16_t>::readChunk()
{
    if (m_rawUtf16) {
        const qint64 want = qMax<qint64>(m_chunk & ~qint64(1), 2);
        m_bytes.resize(want);
        const qint64 got = m_file.read(m_bytes.data(), want) & ~qint64(1);
        if (got <= 0) {
            m_eof = true;
            return;
        }
        const std::size_t old = m_buf.size();
        const std::size_t units = std::size_t(got / 2);
        m_buf.resize(old + units);
        std::memcpy(m_buf.data() + old, m_bytes.constData(), std::size_t(got));
        CaseFold::fold(m_buf.data() + old, units, m_buf.data() + old); // in place, unit by unit
        return;
    }
    m_bytes.resize(m_chunk);
    const qint64 got = m_file.read(m_bytes.data(), m_chunk);
    QString decoded;
    if (got <= 0) {
        m_eof = true;
        decoded = m_decoder(QByteArrayView()); // whatever a truncated sequence leaves
    } else {
        decoded = m_decoder(QByteArrayView(m_bytes.constData(), got));
    }
    const std::size_t old = m_buf.size();
    m_buf.resize(old + std::size_t(decoded.size()));
    CaseFold::fold(reinterpret_cast<const char16_t *>(decoded.utf16()), std::size_t(decoded.size()), m_buf.data() + old);
}

template<typename CharT>
class FileText : public ArticleText
{
public:
    FileText(const QString &path, qint64 dataStart, qint64 chunkBytes, const std::atomic_bool *cancel)
        : m_path(path), m_dataStart(dataStart), m_chunk(chunkBytes), m_cancel(cancel)
    {
    }
    std::unique_ptr<OccurrenceSource> find(const QString &folded) const override
    {
        std::basic_string<CharT> needle;
        if (folded.isEmpty() || !toNeedle(folded, needle))
            return std::make_unique<NoOccurrence>();
        return std::make_unique<ChunkedSource<CharT>>(m_path, m_dataStart, m_chunk, std::move(needle), m_cancel);
    }

private:
    QString m_path;
    qint64 m_dataStart;
    qint64 m_chunk;
    const std::atomic_bool *m_cancel;
};

// The displayed text of a large RTF file, written once to a temporary file of
// UTF-16 units (lossless, whatever characters the document names) and then
// searched a chunk at a time like a large plain file.
class SpilledText : public ArticleText
{
public:
    SpilledText(std::unique_ptr<QTemporaryFile> spill, qint64 chunkBytes, const std::atomic_bool *cancel)
        : m_spill(std::move(spill)), m_chunk(chunkBytes), m_cancel(cancel)
    {
    }
    std::unique_ptr<OccurrenceSource> find(const QString &folded) const override
    {
        std::u16string needle;
        if (folded.isEmpty() || !toNeedle(folded, needle))
            return std::make_unique<NoOccurrence>();
        return std::make_unique<ChunkedSource<char16_t>>(m_spill->fileName(), 0, m_chunk, std::move(needle),
                                                         m_cancel, true);
    }

private:
    std::unique_ptr<QTemporaryFile> m_spill; // removed with the text
    qint64 m_chunk;
    const std::atomic_bool *m_cancel;
};

std::unique_ptr<ArticleText> emptyText()
{
    return std::make_unique<MemoryText<char>>(std::string());
}

std::unique_ptr<ArticleText> fromBytes(const QByteArray &bytes)
{
    if (bytes.startsWith(kUtf8Mark) || TextCodec::looksLikeUtf8(bytes))
        return ArticleText::fromString(TextCodec::decode(bytes));
    std::string folded(std::size_t(bytes.size()), '\0');
    CaseFold::foldCp1251(bytes.constData(), folded.size(), folded.data());
    return std::make_unique<MemoryText<char>>(std::move(folded));
}

// Streams the displayed text of an RTF file to a temporary file; null when it
// cannot be written or the search was cancelled.
std::unique_ptr<ArticleText> spillRtf(QFile &file, const ArticleText::Options &options, const std::atomic_bool *cancel)
{
    auto spill = std::make_unique<QTemporaryFile>();
    if (!spill->open())
        return nullptr;
    bool written = true;
    const bool finished = RtfReader::displayedText(
        file,
        [&](QStringView piece) {
            if (cancelled(cancel))
                return false;
            const qint64 bytes = piece.size() * qint64(sizeof(char16_t));
            written = spill->write(reinterpret_cast<const char *>(piece.utf16()), bytes) == bytes;
            return written;
        },
        qsizetype(qBound<qint64>(1, options.chunkBytes, qint64(1) << 20)));
    if (!finished || !written || !spill->flush())
        return nullptr;
    return std::make_unique<SpilledText>(std::move(spill), options.chunkBytes, cancel);
}

std::unique_ptr<ArticleText> open(const QString &path, const ArticleText::Options &options, bool rtf,
                                  const std::atomic_bool *cancel)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return emptyText();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return emptyText();
    const qint64 size = file.size();
    if (rtf && RtfReader::isRtf(file.peek(16))) {
        if (size > options.wholeReadLimit) {
            if (auto spilled = spillRtf(file, options, cancel))
                return spilled;
            if (cancelled(cancel))
                return emptyText();
            file.seek(0); // no room for the temporary file: read it whole after all
        }
        return ArticleText::fromString(RtfReader::displayedText(file.readAll()));
    }
    if (size <= options.wholeReadLimit)
        return fromBytes(file.read(options.wholeReadLimit + 1));
    file.close();
    bool mark = false;
    if (ArticleText::fileIsUtf8(path, options.chunkBytes, &mark))
        return std::make_unique<FileText<char16_t>>(path, mark ? 3 : 0, options.chunkBytes, cancel);
    return std::make_unique<FileText<char>>(path, 0, options.chunkBytes, cancel);
}

} // namespace

std::unique_ptr<ArticleText> ArticleText::fromString(const QString &text)
{
    std::u16string folded(std::size_t(text.size()), u'\0');
    CaseFold::fold(reinterpret_cast<const char16_t *>(text.utf16()), folded.size(), folded.data());
    return std::make_unique<MemoryText<char16_t>>(std::move(folded));
}

std::unique_ptr<ArticleText> ArticleText::forSearch(const QString &path, const std::atomic_bool *cancel)
{
    return forSearch(path, Options(), cancel);
}

std::unique_ptr<ArticleText> ArticleText::forSearch(const QString &path, const Options &options,
                                                    const std::atomic_bool *cancel)
{
    return open(path, options, true, cancel);
}

std::unique_ptr<ArticleText> ArticleText::forPlainText(const QString &path, const Options &options,
                                                       const std::atomic_bool *cancel)
{
    return open(path, options, false, cancel);
}

bool ArticleText::fileIsUtf8(const QString &path, qint64 chunkBytes, bool *hasMark)
{
    if (hasMark)
        *hasMark = false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (file.peek(3) == kUtf8Mark) {
        if (hasMark)
            *hasMark = true;
        return true;
    }
    // Each piece is cut just before a byte that starts a character, so a valid
    // file is valid piece by piece and an invalid one fails in some piece.
    const qint64 chunk = qMax<qint64>(chunkBytes, 16);
    QByteArray carry;
    bool sawMultibyte = false;
    for (;;) {
        QByteArray piece = carry + file.read(chunk);
        const bool atEnd = piece.size() == carry.size();
        qsizetype cut = piece.size();
        if (!atEnd) {
            cut = piece.size() - 1;
            while (cut > 0 && (static_cast<unsigned char>(piece[cut]) & 0xC0) == 0x80)
                --cut;
            if (cut == 0)
                return false; // a megabyte of continuation bytes is not UTF-8
        }
        const QByteArrayView head(piece.constData(), cut);
        bool ascii = true;
        for (char c : head) {
            if (static_cast<unsigned char>(c) >= 0x80) {
                ascii = false;
                break;
            }
        }
        if (!ascii) {
            if (!TextCodec::looksLikeUtf8(head))
                return false;
            sawMultibyte = true;
        }
        if (atEnd)
            return sawMultibyte;
        carry = piece.sliced(cut);
    }
}
