#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <memory>

// The occurrences of one text in an article, in increasing order of position.
class OccurrenceSource
{
public:
    virtual ~OccurrenceSource() = default;
    // The 0-based position of the next occurrence (occurrences may overlap),
    // or -1 when there is none left.
    virtual qint64 next() = 0;
};

// An article's text, case-folded, ready to be searched. A small article is
// held in memory; a large file is read in chunks by each search, so memory
// stays bounded whatever its size (a large RTF file's displayed text is first
// written once to a temporary file, which is then read the same way).
class ArticleText
{
public:
    struct Options
    {
        // Files up to this size are read whole.
        qint64 wholeReadLimit = qint64(4) << 20;
        // The chunk a large file is read in.
        qint64 chunkBytes = qint64(1) << 20;
    };

    virtual ~ArticleText() = default;

    // Occurrences of a text that has been folded with CaseFold.
    virtual std::unique_ptr<OccurrenceSource> find(const QString &folded) const = 0;

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
};
