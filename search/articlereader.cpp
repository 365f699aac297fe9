#include "search/articlereader.h"

#include "platform/rtfreader.h"
#include "platform/textcodec.h"
#include "search/needle.h"

#include <QFile>
#include <QStringDecoder>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArrayView kUtf8Mark("\xEF\xBB\xBF");

bool cancelled(const std::atomic_bool *cancel)
{
    return cancel && cancel->load(std::memory_order_relaxed);
}

// Without blocking: a pipe put in place of an article must not hang the search.
int openAt(int folder, const char *name)
{
    int fd;
    do {
        fd = ::openat(folder, name, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

qint64 readSome(int fd, void *into, qint64 n)
{
    for (;;) {
        const ssize_t got = ::read(fd, into, std::size_t(n));
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

class NoOccurrence : public OccurrenceSource
{
public:
    qint64 next() override { return -1; }
    void skipTo(qint64) override {}
};

// Occurrences in the text the reader holds, read further as needed.
class BufferSource : public OccurrenceSource
{
public:
    BufferSource(const ArticleReader &reader, const Needle &needle)
        : m_reader(reader)
        , m_needle(needle)
    {}
    qint64 next() override
    {
        if (m_done)
            return -1;
        const qint64 r = m_reader.findFrom(m_needle, m_from);
        if (r < 0)
            m_done = true;
        else
            m_from = r + 1;
        return r;
    }
    void skipTo(qint64 t) override { m_from = std::max(m_from, t); }

private:
    const ArticleReader &m_reader;
    const Needle &m_needle;
    qint64 m_from = 0;
    bool m_done = false;
};

// Utf16: in the machine's own (little-endian) order, as a spilled text is written.
enum class Encoding { Cp1251, Utf8, Utf16, Utf16BE };

// Reads a large file a chunk at a time on its own descriptor, keeping just
// enough of the previous chunk for an occurrence that straddles the edge.
template <typename CharT>
class ChunkedSource : public OccurrenceSource
{
public:
    ChunkedSource(int folder, const std::string &name, qint64 dataStart, qint64 chunkBytes, const Needle &needle,
                  const std::atomic_bool *cancel, Encoding encoding)
        : m_needle(needle)
        , m_chunk(std::max<qint64>(chunkBytes, 1))
        , m_cancel(cancel)
        , m_encoding(encoding)
    {
        m_fd = openAt(folder, name.c_str());
        m_eof = m_fd < 0 || (dataStart > 0 && ::lseek(m_fd, dataStart, SEEK_SET) != dataStart);
        qint64 room = m_chunk;
        if (encoding == Encoding::Utf8) {
            m_staging = std::make_unique_for_overwrite<char[]>(std::size_t(m_chunk));
            room = m_decoder.requiredSpace(m_chunk) + 4;
        } else if (encoding == Encoding::Utf16 || encoding == Encoding::Utf16BE) {
            room = unitBytes() / 2;
        }
        m_capacity = std::max<qint64>(needle.length() - 1, 0) + room;
        m_buf = std::make_unique_for_overwrite<CharT[]>(std::size_t(m_capacity));
    }
    ~ChunkedSource() override
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }

    qint64 next() override
    {
        for (;;) {
            const qint64 local = std::max<qint64>(m_from - m_base, 0);
            const qint64 r = m_needle.find(m_buf.get(), m_size, local);
            if (r >= 0) {
                m_from = m_base + r + 1;
                return m_base + r;
            }
            if (m_eof || cancelled(m_cancel)) {
                m_eof = true;
                return -1;
            }
            const qint64 keep = m_needle.length() - 1;
            const qint64 drop = std::clamp<qint64>(std::max(m_size - keep, local), 0, m_size);
            std::memmove(m_buf.get(), m_buf.get() + drop, std::size_t(m_size - drop) * sizeof(CharT));
            m_size -= drop;
            m_base += drop;
            readChunk();
        }
    }
    void skipTo(qint64 t) override { m_from = std::max(m_from, t); }

private:
    qint64 unitBytes() const { return std::max<qint64>(m_chunk & ~qint64(1), 2); }

    void readChunk()
    {
        CharT *end = m_buf.get() + m_size;
        if (m_encoding == Encoding::Utf8) {
            const qint64 got = readSome(m_fd, m_staging.get(), m_chunk);
            QByteArrayView in;
            if (got <= 0)
                m_eof = true; // the decoder gives whatever a truncated sequence leaves
            else
                in = QByteArrayView(m_staging.get(), got);
            if constexpr (sizeof(CharT) == 2) {
                const QChar *out = m_decoder.appendToBuffer(reinterpret_cast<QChar *>(end), in);
                m_size = reinterpret_cast<const CharT *>(out) - m_buf.get();
            }
            return;
        }
        const bool utf16 = m_encoding == Encoding::Utf16 || m_encoding == Encoding::Utf16BE;
        const qint64 want = utf16 ? unitBytes() : m_chunk;
        qint64 got = readSome(m_fd, end, want);
        // A read that ends inside a unit is finished before the unit is used.
        while (utf16 && got > 0 && (got & 1)) {
            const qint64 more = readSome(m_fd, reinterpret_cast<char *>(end) + got, 1);
            if (more <= 0)
                got &= ~qint64(1);
            else
                got += more;
        }
        if (got <= 0) {
            m_eof = true;
            return;
        }
        if constexpr (sizeof(CharT) == 2) {
            if (m_encoding == Encoding::Utf16BE) {
                for (qint64 i = 0; i < got / 2; ++i)
                    end[i] = CharT((end[i] >> 8) | (end[i] << 8));
            }
        }
        m_size += got / qint64(sizeof(CharT));
    }

    const Needle &m_needle;
    qint64 m_chunk;
    const std::atomic_bool *m_cancel;
    Encoding m_encoding;
    int m_fd = -1;
    std::unique_ptr<CharT[]> m_buf;
    qint64 m_capacity = 0;
    qint64 m_size = 0;
    std::unique_ptr<char[]> m_staging;
    QStringDecoder m_decoder{QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom};
    qint64 m_base = 0; // position of m_buf[0] in the text
    qint64 m_from = 0; // where the next search starts
    bool m_eof = false;
};

bool ascii(QByteArrayView bytes)
{
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

template <typename T>
void ArticleReader::Buffer<T>::reserve(qint64 n)
{
    if (n <= capacity)
        return;
    const qint64 grown = std::max(n, capacity * 2);
    auto fresh = std::make_unique_for_overwrite<T[]>(std::size_t(grown));
    if (size > 0)
        std::memcpy(fresh.get(), data.get(), std::size_t(size) * sizeof(T));
    data = std::move(fresh);
    capacity = grown;
}

ArticleReader::ArticleReader(const Options &options, const std::atomic_bool *cancel)
    : m_options(options)
    , m_cancel(cancel)
{}

ArticleReader::~ArticleReader()
{
    close();
}

bool ArticleReader::cancelled() const
{
    return ::cancelled(m_cancel);
}

void ArticleReader::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_size = 0;
    m_dataStart = 0;
    m_spill.reset();
    m_state = State::Empty;
    m_bytes.size = 0;
    m_units.size = 0;
    m_string = QString();
    m_text16 = nullptr;
    m_length16 = 0;
    m_eof = false;
    m_checked = 0;
    m_sawMultibyte = false;
}

void ArticleReader::open(int folder, const QByteArray &name, bool rtf)
{
    close();
    m_folder = folder;
    m_name.assign(name.constData(), std::size_t(name.size()));
    m_openError = 0;
    m_fd = openAt(folder, m_name.c_str());
    if (m_fd < 0) {
        m_openError = errno;
        return;
    }
    struct stat info;
    if (::fstat(m_fd, &info) != 0) {
        m_openError = errno;
        close();
        return;
    }
    // A folder is passed over without a word; a pipe or device is not read, and said so.
    if (!S_ISREG(info.st_mode)) {
        if (!S_ISDIR(info.st_mode))
            m_openError = kNotAFile;
        close();
        return;
    }
    m_size = info.st_size;
    if (m_size > m_options.wholeReadLimit) {
        openLarge(rtf);
        return;
    }
    m_state = State::Undecided;
    while (m_bytes.size < 5 && readPiece()) {
    }
    if (rtf && RtfReader::isRtf(QByteArrayView(m_bytes.data.get(), m_bytes.size))) {
        readAll();
        m_string = RtfReader::displayedText(QByteArrayView(m_bytes.data.get(), m_bytes.size));
        m_text16 = reinterpret_cast<const char16_t *>(m_string.utf16());
        m_length16 = m_string.size();
        m_state = State::Units;
    }
}

void ArticleReader::openLarge(bool rtf)
{
    char head[16];
    const ssize_t got = ::pread(m_fd, head, sizeof head, 0);
    if (rtf && got > 0 && RtfReader::isRtf(QByteArrayView(head, got))) {
        QFile file;
        if (file.open(m_fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
            if (spill(file)) {
                m_state = State::Spilled;
            } else if (!cancelled() && file.seek(0)) {
                // No room for the temporary file: read it whole after all.
                m_string = RtfReader::displayedText(file.readAll());
                m_text16 = reinterpret_cast<const char16_t *>(m_string.utf16());
                m_length16 = m_string.size();
                m_state = State::Units;
            }
        }
    } else if (const auto order = TextCodec::utf16Mark(QByteArrayView(head, std::max<ssize_t>(got, 0)));
               order != TextCodec::Utf16::None) {
        m_dataStart = 2;
        m_state = order == TextCodec::Utf16::BigEndian ? State::LargeUtf16BE : State::LargeUtf16;
    } else {
        bool mark = false;
        const bool utf8 = ArticleText::fileIsUtf8(m_fd, m_options.chunkBytes, &mark, m_cancel);
        m_dataStart = mark ? 3 : 0;
        if (!cancelled())
            m_state = utf8 ? State::LargeUtf8 : State::LargeBytes;
    }
    // Each search of a large file reads it on a descriptor of its own.
    ::close(m_fd);
    m_fd = -1;
}

// Streams the displayed text of an RTF file to a temporary file of UTF-16
// units (lossless, whatever characters the document names); false when it
// cannot be written or the search was cancelled.
bool ArticleReader::spill(QFile &file)
{
    auto spill = std::make_unique<QTemporaryFile>();
    if (!spill->open())
        return false;
    bool written = true;
    const bool finished = RtfReader::displayedText(
        file,
        [&](QStringView piece) {
            if (cancelled())
                return false;
            const qint64 bytes = piece.size() * qint64(sizeof(char16_t));
            written = spill->write(reinterpret_cast<const char *>(piece.utf16()), bytes) == bytes;
            return written;
        },
        qsizetype(std::clamp<qint64>(m_options.chunkBytes, 1, qint64(1) << 20)));
    if (!finished || !written || !spill->flush())
        return false;
    m_spillName = QFile::encodeName(spill->fileName()).toStdString();
    m_spill = std::move(spill);
    return true;
}

bool ArticleReader::readPiece() const
{
    if (m_eof)
        return false;
    if (cancelled()) {
        m_eof = true;
        return false;
    }
    // A file that tells no size (none in a knowledge base) is read up to the limit.
    const qint64 limit = m_size > 0 ? m_size : m_options.wholeReadLimit + 1;
    const qint64 want = std::min(std::max<qint64>(m_options.pieceBytes, 1), limit - m_bytes.size);
    if (want <= 0) {
        m_eof = true;
        return false;
    }
    m_bytes.reserve(m_bytes.size + want);
    const qint64 got = readSome(m_fd, m_bytes.data.get() + m_bytes.size, want);
    if (got <= 0) {
        m_eof = true;
        return false;
    }
    m_bytes.size += got;
    // Read up to the size it had when opened: no read is spent on finding the end.
    if (m_bytes.size >= limit)
        m_eof = true;
    return true;
}

void ArticleReader::readAll() const
{
    while (readPiece()) {
    }
}

// Decides the encoding as the shared decoding does for the whole file, reading
// only as far as it takes: a Windows-1251 text usually shows a byte that UTF-8
// cannot have within its first words, and is then searched as it is read.
void ArticleReader::decide() const
{
    while (m_state == State::Undecided) {
        const char *b = m_bytes.data.get();
        const qint64 n = m_bytes.size;
        if (n < 3 && !m_eof) {
            readPiece();
            continue;
        }
        if (n >= 3 && QByteArrayView(b, 3) == kUtf8Mark) {
            readAll();
            decodeUtf8(3);
            return;
        }
        if (TextCodec::utf16Mark(QByteArrayView(b, n)) != TextCodec::Utf16::None) {
            readAll();
            m_string = TextCodec::decode(QByteArrayView(m_bytes.data.get(), m_bytes.size));
            m_text16 = reinterpret_cast<const char16_t *>(m_string.utf16());
            m_length16 = m_string.size();
            m_state = State::Units;
            return;
        }
        // What has come in since the last check, cut just before a byte that
        // starts a character: a valid text is valid piece by piece and an
        // invalid one fails in some piece.
        qint64 cut = n;
        if (!m_eof) {
            cut = n - 1;
            while (cut > m_checked && (static_cast<unsigned char>(b[cut]) & 0xC0) == 0x80)
                --cut;
        }
        if (cut > m_checked) {
            const QByteArrayView region(b + m_checked, cut - m_checked);
            if (!ascii(region)) {
                if (!TextCodec::looksLikeUtf8(region)) {
                    m_state = State::Bytes;
                    return;
                }
                m_sawMultibyte = true;
            }
            m_checked = cut;
        }
        if (m_eof) {
            if (m_sawMultibyte)
                decodeUtf8(0);
            else
                m_state = State::Bytes;
            return;
        }
        readPiece();
    }
}

void ArticleReader::decodeUtf8(qint64 start) const
{
    const QByteArrayView bytes(m_bytes.data.get() + start, m_bytes.size - start);
    if (bytes.startsWith(kUtf8Mark)) {
        // The decoder would take this mark for its own; decode it as the shared decoding does.
        m_string = QString::fromUtf8(bytes);
        m_text16 = reinterpret_cast<const char16_t *>(m_string.utf16());
        m_length16 = m_string.size();
    } else {
        QStringDecoder decoder(QStringDecoder::Utf8,
                               QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        m_units.reserve(decoder.requiredSpace(bytes.size()));
        const QChar *end = decoder.appendToBuffer(reinterpret_cast<QChar *>(m_units.data.get()), bytes);
        m_units.size = reinterpret_cast<const char16_t *>(end) - m_units.data.get();
        m_text16 = m_units.data.get();
        m_length16 = m_units.size;
    }
    m_state = State::Units;
}

qint64 ArticleReader::findFrom(const Needle &needle, qint64 from) const
{
    decide();
    if (m_state == State::Units)
        return needle.find(m_text16, m_length16, from);
    if (m_state != State::Bytes)
        return -1;
    for (;;) {
        const qint64 r = needle.find(m_bytes.data.get(), m_bytes.size, from);
        if (r >= 0)
            return r;
        // Everything read has been searched: go on where an occurrence could
        // still end in the next piece.
        from = std::max(from, m_bytes.size - needle.length() + 1);
        if (!readPiece())
            return -1;
    }
}

std::unique_ptr<OccurrenceSource> ArticleReader::find(const Needle &needle) const
{
    if (needle.length() == 0)
        return std::make_unique<NoOccurrence>();
    decide();
    switch (m_state) {
    case State::Bytes:
    case State::Units:
        return std::make_unique<BufferSource>(*this, needle);
    case State::LargeBytes:
        return std::make_unique<ChunkedSource<char>>(m_folder, m_name, 0, m_options.chunkBytes, needle, m_cancel,
                                                     Encoding::Cp1251);
    case State::LargeUtf8:
        return std::make_unique<ChunkedSource<char16_t>>(m_folder, m_name, m_dataStart, m_options.chunkBytes, needle,
                                                         m_cancel, Encoding::Utf8);
    case State::LargeUtf16:
    case State::LargeUtf16BE:
        return std::make_unique<ChunkedSource<char16_t>>(
            m_folder, m_name, m_dataStart, m_options.chunkBytes, needle, m_cancel,
            m_state == State::LargeUtf16 ? Encoding::Utf16 : Encoding::Utf16BE);
    case State::Spilled:
        return std::make_unique<ChunkedSource<char16_t>>(AT_FDCWD, m_spillName, 0, m_options.chunkBytes, needle,
                                                         m_cancel, Encoding::Utf16);
    case State::Empty:
    case State::Undecided:
        break;
    }
    return std::make_unique<NoOccurrence>();
}
