#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <memory>

class Needle;

// The occurrences of one text in an article, in increasing order of position.
class OccurrenceSource
{
public:
    virtual ~OccurrenceSource() = default;
    // The 0-based position of the next occurrence (occurrences may overlap),
    // or -1 when there is none left.
    virtual qint64 next() = 0;
    // Occurrences that start before t are not wanted any more.
    virtual void skipTo(qint64 t) = 0;
};

// An article's text, ready to be searched. It is compared in its own
// characters, never folded as a whole. A file up to the whole-read limit is
// read a piece at a time, only as far as the search asks; a larger file is read
// in chunks by each search, so memory stays bounded whatever its size (a large
// RTF file's displayed text is first written once to a temporary file, which
// is then read the same way).
class ArticleText
{
public:
    struct Options
    {
        // Files up to this size are held in memory, as far as they are read.
        qint64 wholeReadLimit = qint64(4) << 20;
        // The chunk a larger file is read in.
        qint64 chunkBytes = qint64(1) << 20;
        // The piece a file up to the whole-read limit is read in.
        qint64 pieceBytes = qint64(16) << 10;
    };

    virtual ~ArticleText() = default;

    // Occurrences of a needle, a text folded with CaseFold.
    virtual std::unique_ptr<OccurrenceSource> find(const Needle &needle) const = 0;

    // A text already in memory (the article view's).
    static std::unique_ptr<ArticleText> fromString(const QString &text);

    // The article text of a knowledge-base file as the search reads it: an
    // RTF file by its displayed text, any other through the shared decoding.
    // A file that cannot be read gives an empty text.
    static std::unique_ptr<ArticleText> forSearch(const QString &path, const std::atomic_bool *cancel = nullptr);
    static std::unique_ptr<ArticleText> forSearch(const QString &path, const Options &options,
                                                  const std::atomic_bool *cancel = nullptr);

    // Plain text through the shared decoding, RTF or not.
    static std::unique_ptr<ArticleText> forPlainText(const QString &path, const Options &options,
                                                     const std::atomic_bool *cancel = nullptr);

    // Whether a large file is taken as UTF-8, decided as the shared decoding
    // decides for a whole file, reading it a chunk at a time.
    static bool fileIsUtf8(const QString &path, qint64 chunkBytes, bool *hasMark = nullptr);
    // The same on an open file, read from its start whatever its offset; a
    // set cancel flag ends the reading (the answer is then meaningless).
    static bool fileIsUtf8(int fd, qint64 chunkBytes, bool *hasMark = nullptr,
                           const std::atomic_bool *cancel = nullptr);
};
