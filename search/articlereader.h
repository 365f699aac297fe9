#pragma once

#include "search/articletext.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <memory>
#include <string>

class QFile;
class QTemporaryFile;

// One knowledge-base article as the search reads it, opened by its name
// relative to the folder's descriptor with one open and one fstat. A file up
// to the whole-read limit is read a piece at a time, only as far as the scans
// ask, so a match near its start leaves the rest unread; a Windows-1251 text
// is searched in the bytes as read. The buffers stay from one article to the
// next, so a worker reading thousands of articles allocates them once. A
// larger file is searched in chunks, each search reading it anew.
class ArticleReader : public ArticleText
{
public:
    explicit ArticleReader(const Options &options = Options(), const std::atomic_bool *cancel = nullptr);
    ~ArticleReader() override;
    ArticleReader(const ArticleReader &) = delete;
    ArticleReader &operator=(const ArticleReader &) = delete;

    // folder: a descriptor of the folder the name is in, or AT_FDCWD with a
    // path. rtf: an RTF file gives its displayed text. A file that cannot be
    // read gives an empty text.
    void open(int folder, const QByteArray &name, bool rtf);
    void close();
    // Why the last open found nothing to read: the system's error number,
    // kNotAFile, or 0.
    int openError() const { return m_openError; }
    // The name is a pipe, device or socket, never read (it could block or never end).
    static constexpr int kNotAFile = -1;

    std::unique_ptr<OccurrenceSource> find(const Needle &needle) const override;

    // The first occurrence at or after from in a text held in memory, reading
    // more of the file as needed; -1 when there is none.
    qint64 findFrom(const Needle &needle, qint64 from) const;

private:
    enum class State { Empty, Undecided, Bytes, Units, LargeBytes, LargeUtf8, LargeUtf16, LargeUtf16BE, Spilled };

    template <typename T>
    struct Buffer
    {
        std::unique_ptr<T[]> data;
        qint64 size = 0;
        qint64 capacity = 0;
        void reserve(qint64 n);
    };

    bool readPiece() const;
    void readAll() const;
    void decide() const;
    void decodeUtf8(qint64 start) const;
    void openLarge(bool rtf);
    bool spill(QFile &file);
    bool cancelled() const;

    Options m_options;
    const std::atomic_bool *m_cancel;
    int m_folder = -1;
    std::string m_name;
    int m_fd = -1;
    int m_openError = 0;
    qint64 m_size = 0;
    qint64 m_dataStart = 0; // where the text of a large UTF-8 file starts
    std::unique_ptr<QTemporaryFile> m_spill;
    std::string m_spillName;

    // What has been read and made of it; filled in as the scans ask.
    mutable State m_state = State::Empty;
    mutable Buffer<char> m_bytes;
    mutable Buffer<char16_t> m_units;
    mutable QString m_string; // the text when it does not fit the units buffer's way
    mutable const char16_t *m_text16 = nullptr;
    mutable qint64 m_length16 = 0;
    mutable bool m_eof = false;
    mutable qint64 m_checked = 0; // bytes found to be UTF-8 so far
    mutable bool m_sawMultibyte = false;
};
