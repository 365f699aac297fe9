#include "search/articletext.h"

#include "platform/textcodec.h"
#include "search/articlereader.h"
#include "search/needle.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {

const QByteArrayView kUtf8Mark("\xEF\xBB\xBF");

qint64 readAt(int fd, char *into, qint64 n, qint64 at)
{
    for (;;) {
        const ssize_t got = ::pread(fd, into, std::size_t(n), at);
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

class StringSource : public OccurrenceSource
{
public:
    StringSource(const QString &text, const Needle &needle)
        : m_text(reinterpret_cast<const char16_t *>(text.utf16()))
        , m_size(text.size())
        , m_needle(needle)
    {}
    qint64 next() override
    {
        const qint64 r = m_needle.find(m_text, m_size, m_from);
        m_from = r >= 0 ? r + 1 : m_size + 1;
        return r;
    }
    void skipTo(qint64 t) override { m_from = std::max(m_from, t); }

private:
    const char16_t *m_text;
    qint64 m_size;
    const Needle &m_needle;
    qint64 m_from = 0;
};

class StringText : public ArticleText
{
public:
    explicit StringText(const QString &text)
        : m_text(text)
    {}
    std::unique_ptr<OccurrenceSource> find(const Needle &needle) const override
    {
        return std::make_unique<StringSource>(m_text, needle);
    }

private:
    QString m_text;
};

std::unique_ptr<ArticleText> openFile(const QString &path, const ArticleText::Options &options, bool rtf,
                                      const std::atomic_bool *cancel)
{
    auto reader = std::make_unique<ArticleReader>(options, cancel);
    reader->open(AT_FDCWD, QFile::encodeName(path), rtf);
    return reader;
}

} // namespace

std::unique_ptr<ArticleText> ArticleText::fromString(const QString &text)
{
    return std::make_unique<StringText>(text);
}

std::unique_ptr<ArticleText> ArticleText::forSearch(const QString &path, const std::atomic_bool *cancel)
{
    return forSearch(path, Options(), cancel);
}

std::unique_ptr<ArticleText> ArticleText::forSearch(const QString &path, const Options &options,
                                                    const std::atomic_bool *cancel)
{
    return openFile(path, options, true, cancel);
}

std::unique_ptr<ArticleText> ArticleText::forPlainText(const QString &path, const Options &options,
                                                       const std::atomic_bool *cancel)
{
    return openFile(path, options, false, cancel);
}

bool ArticleText::fileIsUtf8(const QString &path, qint64 chunkBytes, bool *hasMark)
{
    if (hasMark)
        *hasMark = false;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    const bool utf8 = fileIsUtf8(fd, chunkBytes, hasMark);
    ::close(fd);
    return utf8;
}

bool ArticleText::fileIsUtf8(int fd, qint64 chunkBytes, bool *hasMark, const std::atomic_bool *cancel)
{
    if (hasMark)
        *hasMark = false;
    const qint64 chunk = std::max<qint64>(chunkBytes, 16);
    // A piece is what is left of the previous one, less than a chunk, and a chunk.
    QByteArray piece(2 * chunk, Qt::Uninitialized);
    char head[3];
    if (readAt(fd, head, 3, 0) == 3 && QByteArrayView(head, 3) == kUtf8Mark) {
        if (hasMark)
            *hasMark = true;
        return true;
    }
    // Each piece is cut just before a byte that starts a character, so a valid
    // file is valid piece by piece and an invalid one fails in some piece.
    qint64 offset = 0;
    qsizetype carry = 0;
    bool sawMultibyte = false;
    for (;;) {
        if (cancel && cancel->load(std::memory_order_relaxed))
            return false;
        const qint64 got = readAt(fd, piece.data() + carry, chunk, offset);
        if (got < 0)
            return false;
        offset += got;
        const bool atEnd = got == 0;
        const qsizetype size = carry + got;
        qsizetype cut = size;
        if (!atEnd) {
            cut = size - 1;
            while (cut > 0 && (static_cast<unsigned char>(piece[cut]) & 0xC0) == 0x80)
                --cut;
            if (cut == 0) {
                // One character so far, perhaps cut short by the end of the
                // read: wait for the rest of it, which is never more than four bytes.
                if (size > 4)
                    return false;
                carry = size;
                continue;
            }
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
        carry = size - cut;
        std::memmove(piece.data(), piece.constData() + cut, std::size_t(carry));
    }
}
